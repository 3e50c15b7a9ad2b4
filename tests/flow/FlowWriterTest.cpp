#include "flow/FlowFixture.h"

#include "flow/FlowWriter.h"

#include "support/QtPrinters.h"

#include <QBuffer>

namespace {

using FlowWriterTest = FlowFixture;

/// A device that takes a few bytes and then refuses, as a full disk does.
class FullDisk : public QIODevice {
public:
    explicit FullDisk(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (size > m_room) {
            setErrorString(QStringLiteral("disco pieno"));
            return -1;
        }
        m_room -= size;
        return size;
    }

private:
    qint64 m_room;
};

} // namespace

TEST_F(FlowWriterTest, TheRootNamesTheSchemaOnlyInTheTestVariant)
{
    addCase(1, {{QStringLiteral("altroriferimento"), QVariant()}});
    openCases();
    PaymentSource payments(connection);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FlowWriter writer(&buffer, pratiche, payments, sheets, random, clock, false);
    FlowWriter::Envelope envelope;
    envelope.progressivo = QStringLiteral("A&B");
    envelope.dataGen = FlowWriter::dataGenOf(QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9)));
    envelope.test = true;
    envelope.schemaLocation = QStringLiteral("file:///C:/Desktop/SCARICO_SCHEMA.xsd");
    ASSERT_TRUE(writer.writeHead(envelope));
    EXPECT_EQ(QString::fromUtf8(buffer.data()),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                             "<Flusso IdFl=\"A&amp;B\" IdSd=\"\" DataGen=\"2011-06-10T14:05:09-05:00\" IdEE=\"\" "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                             "xsi:noNamespaceSchemaLocation=\"file:///C:/Desktop/SCARICO_SCHEMA.xsd\">\r\n"
                             "\t<Affidamento IdAffidamento=\"Null\">\r\n"));
}

TEST_F(FlowWriterTest, AFailedWriteStopsTheFlow)
{
    addCase(1);
    addPayment(1, 1);
    openCases();
    PaymentSource payments(connection);
    FullDisk disk(300);
    FlowWriter writer(&disk, pratiche, payments, sheets, random, clock, false);
    ASSERT_TRUE(writer.writeHead({}));
    const Status written = writer.writeCase();
    EXPECT_FALSE(written);
    EXPECT_FALSE(writer.stoppedForMissingSheet());
    EXPECT_EQ(written.errorText(), QStringLiteral("Impossibile scrivere il flusso: disco pieno"));
    EXPECT_EQ(writer.casesWritten(), 0);
}
