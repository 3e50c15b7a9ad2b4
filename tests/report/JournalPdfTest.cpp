// The journal's PDF. Drawing needs the graphical application that the window tests start.
#include "report/JournalPdf.h"

#include "foundation/db/Currency.h"

#include "support/TempFolder.h"
#include "tools/FailingDevice.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QList<JournalReport::Lot> lots(int count)
{
    QList<JournalReport::Lot> list;
    for (int i = 0; i < count; ++i)
        list.append({QStringLiteral("NRV"), QDate(2011, 1, 1).addDays(i), qlonglong(i + 1),
                     QVariant::fromValue(db::Currency::fromUnits(qint64(i + 1) * 12345678))});
    return list;
}

int pagesIn(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(pdf).count(page));
}

QByteArray render(const JournalReport& report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const Status written = JournalPdf(report).write(&buffer);
    EXPECT_TRUE(written.ok()) << written.errorText().toStdString();
    return buffer.data();
}

} // namespace

TEST(JournalReportPdf, IsAnA4PdfWithAsManyPagesAsTheLotsNeed)
{
    const QByteArray one = render(JournalReport(1, QStringLiteral("Messaggio"), QDate(2011, 6, 10), lots(3)));
    EXPECT_TRUE(one.startsWith("%PDF-"));
    EXPECT_TRUE(one.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(pagesIn(one), 1);
    static const QRegularExpression a4(QStringLiteral("/MediaBox \\[0 0 595(\\.0+)? 842(\\.0+)?\\]"));
    EXPECT_TRUE(QString::fromLatin1(one).contains(a4)) << "A4 portrait";

    EXPECT_GT(pagesIn(render(JournalReport(1, QStringLiteral("Messaggio"), QDate(2011, 6, 10), lots(200)))), 3);
}

TEST(JournalReportPdf, AFileOrDeviceThatCannotBeWrittenIsNamedAndTheEarlierFileKept)
{
    TempFolder folder;
    const QString path = folder.write(QStringLiteral("out/GiornaleXLotti_2011-06-10.pdf"), "earlier");
    const JournalReport report(1, QString(), QDate(2011, 6, 10), lots(3));
    ASSERT_TRUE(JournalPdf(report).writeFile(path).ok());
    EXPECT_TRUE(folder.read(QStringLiteral("out/GiornaleXLotti_2011-06-10.pdf")).startsWith("%PDF-"));

    // A file where the folder should be.
    folder.write(QStringLiteral("blocked"), "x");
    const Status failed =
        JournalPdf(report).writeFile(folder.file(QStringLiteral("blocked/GiornaleXLotti_2011-06-10.pdf")));
    ASSERT_FALSE(failed.ok());
    EXPECT_TRUE(failed.errorText().contains(QStringLiteral("blocked/GiornaleXLotti_2011-06-10.pdf")))
        << failed.errorText().toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"blocked"});
    FailingDevice device(10);
    EXPECT_EQ(JournalPdf(report).write(&device).errorText(), QStringLiteral("spazio esaurito sul dispositivo"));
}

TEST(JournalReportPdf, ThePrintedTextShowsTheNumbersTheDateAndTheWholeMessage)
{
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (reader.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    TempFolder folder;
    const QString message = QStringLiteral("Giornale dell'agenzia \"Nord\" - l'ultimo");
    const JournalReport report(125, message, QDate(2011, 6, 10), lots(3));
    ASSERT_TRUE(JournalPdf(report).writeFile(folder.file(QStringLiteral("g.pdf"))).ok());
    QProcess process;
    process.start(reader, {QStringLiteral("-layout"), folder.file(QStringLiteral("g.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Giornale x Lotti"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Data di stampa: 10/06/2011")));
    EXPECT_TRUE(text.contains(message)) << text.toStdString();
    for (const char* number : {"125", "126", "127"})
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("^\\s*%1\\s+NRV").arg(QString::fromLatin1(number)),
                                                     QRegularExpression::MultilineOption)))
            << number;
    EXPECT_TRUE(text.contains(QStringLiteral("Progressivi da 125 a 127")));
    EXPECT_TRUE(text.contains(QStringLiteral("7.407,41")));
}
