#include "support/FlowFixture.h"

#include "flow/FlowExport.h"
#include "flow/FlowWriter.h"
#include "flow/PaymentSource.h"
#include "foundation/SuitePaths.h"

#include <QBuffer>
#include <QProcess>
#include <QXmlStreamReader>

namespace {

void insert(SqliteFixture& database, const QString& table, QVariantMap fields, const QVariantMap& overrides)
{
    for (auto it = overrides.constBegin(); it != overrides.constEnd(); ++it)
        fields.insert(it.key(), it.value());
    database.insert(table, fields);
}

} // namespace

FlowFixture::FlowFixture()
{
    writeBytes(lastIdPath(), LastId42);
}

QString FlowFixture::lastIdPath() const
{
    return suite.local(SuitePaths::idNrvXmlIni());
}

void FlowFixture::addCase(int contatore, const QVariantMap& fields)
{
    insert(suite.database(), QStringLiteral("Tabella Pratiche"),
           {{"contatore", contatore},
            {"posizione", QStringLiteral("P%1").arg(contatore)},
            {"ragione sociale", "ROSSI MARIO"},
            {"tipo mandato", "NRV"},
            {"altroriferimento", "AFF1"},
            {"codicescaricomemo", "EECH"},
            {"datascaricomemo", "05/06/2011"},
            {"memo", "Nota"},
            {"citta", "Roma"},
            {"provincia", "RM"},
            {"cap", "00184"},
            {"indirizzo", "Via Roma, 1"}},
           fields);
}

void FlowFixture::addPayment(int id, int conta, const QVariantMap& fields)
{
    insert(suite.database(), QStringLiteral("Tabella Pagamenti"),
           {{QStringLiteral("ID"), id},
            {"conta", conta},
            {"modo", "CO"},
            {"data", QDate(2011, 6, 10)},
            {"totale", 150},
            {"capitale", 120}},
           fields);
}

void FlowFixture::addBankRow(int idIncasso, const QVariantMap& fields)
{
    insert(suite.database(), QStringLiteral("Tabella Riscontro"),
           {{"id_incasso", idIncasso},
            {"abi", "03069"},
            {"cab", "03200"},
            {"cc", "000012345678"},
            {"ass", "0001234567"},
            {"data", QDate(2011, 6, 12)},
            {"firmatario", "BIANCHI LUCA"}},
           fields);
}

void FlowFixture::clearCases()
{
    suite.database().exec({QStringLiteral("DELETE FROM [Tabella Pratiche]"),
                           QStringLiteral("DELETE FROM [Tabella Pagamenti]"),
                           QStringLiteral("DELETE FROM [Tabella Riscontro]")});
}

void FlowFixture::openCases()
{
    if (!connection.state()) {
        ASSERT_OK(connection.open(suite.database().connectionString()));
    }
    ASSERT_OK(pratiche.open(QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0"), connection,
                            db::Recordset::Lock::Optimistic));
}

FlowFixture::Flow FlowFixture::writeFlow(bool modoAccess)
{
    openCases();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Flow flow;
    {
        PaymentSource payments(connection);
        FlowWriter writer(&buffer, pratiche, payments, sheets, random, clock, modoAccess);
        FlowWriter::Envelope envelope;
        envelope.progressivo = QStringLiteral("00043");
        envelope.idSd = QStringLiteral("06");
        envelope.dataGen = FlowWriter::dataGenOf(clock.now());
        envelope.idEE = QStringLiteral("0008");
        flow.status = writer.writeHead(envelope);
        for (static_cast<void>(pratiche.moveFirst()); flow.status && !pratiche.eof();
             static_cast<void>(pratiche.moveNext()))
            flow.status = writer.writeCase();
        if (flow.status)
            flow.status = writer.writeTail();
        flow.missingSheet = writer.stoppedForMissingSheet();
    }
    flow.bytes = buffer.data();
    if (flow.status)
        expectValidFlow(flow.bytes);
    return flow;
}

Result<QString> FlowFixture::exportFlow()
{
    openCases();
    FlowExport exporter(connection, false, sheets, dialogs, clock, random);
    exporter.setProgress([this](qsizetype done, qsizetype total) {
        progress.append(QStringLiteral("%1/%2").arg(done).arg(total));
        if (afterCase)
            afterCase(done);
    });
    exporter.setEventPump([this] { ++pumped; });
    const Result<QString> written = exporter.EsportaFlusso(pratiche);
    if (written)
        expectValidFlow(fileBytes(*written));
    return written;
}

QStringList FlowFixture::linesOf(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.last().isEmpty()) << "the flow's last line has no CR LF";
    lines.removeLast();
    for (const QString& line : lines)
        EXPECT_FALSE(line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'))) << line.toStdString();
    return lines;
}

QStringList FlowFixture::praticaLines(const QByteArray& bytes, int index)
{
    QStringList found;
    int seen = -1;
    for (const QString& line : linesOf(bytes)) {
        QString text = line;
        while (text.startsWith(QLatin1Char('\t')))
            text.remove(0, 1);
        if (text.startsWith(QLatin1String("<Pratica ")))
            ++seen;
        if (seen == index)
            found.append(text);
        if (seen == index && text == QLatin1String("</Pratica>"))
            break;
    }
    return found;
}

QStringList FlowFixture::valori(const QByteArray& bytes, int index)
{
    const QStringList pratica = praticaLines(bytes, index);
    const qsizetype from = pratica.indexOf(QStringLiteral("<Valori>"));
    const qsizetype to = pratica.indexOf(QStringLiteral("</Valori>"));
    return from < 0 ? QStringList() : pratica.mid(from, to - from + 1);
}

void FlowFixture::expectValidFlow(const QByteArray& bytes)
{
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd())
        reader.readNext();
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString() << " at line " << reader.lineNumber();

    const TempFolder folder;
    const QString path = folder.write(QStringLiteral("flow.XML"), bytes);
    const QString schema = testData(QStringLiteral("../../src/flow/SCARICO_SCHEMA.xsd"));
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, path});
    if (!xmllint.waitForStarted()) {
        ADD_FAILURE() << "xmllint (package libxml2-utils) checks the flows against the schema and is missing";
        return;
    }
    xmllint.waitForFinished(120000);
    EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();
}
