// The journal's PDF. Drawing needs the graphical application that the window tests start.
#include "report/JournalPdf.h"

#include "foundation/db/Currency.h"

#include "support/OsFaults.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

/// A journal from progressive 125 of `count` lots, lot i of i cases and i × 1234,5678 euro.
JournalReport journal(int count, const QString& message = QString())
{
    QList<JournalReport::Lot> lots;
    for (int i = 1; i <= count; ++i)
        lots.append({QStringLiteral("NRV"), QDate(2011, 1, 1).addDays(i), qlonglong(i),
                     QVariant::fromValue(db::Currency::fromUnits(qint64(i) * 12345678))});
    return JournalReport(125, message, QDate(2011, 6, 10), lots);
}

int pagesIn(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

TEST(JournalPdf, IsAnA4PdfWithAsManyPagesAsTheLotsNeedShowingTheNumbersTheDateAndTheWholeMessage)
{
    TempFolder folder;
    const QString message = QStringLiteral("Giornale dell'agenzia \"Nord\" - l'ultimo");
    ASSERT_OK(JournalPdf(journal(3, message)).writeFile(folder.file(QStringLiteral("g.pdf"))));
    ASSERT_OK(JournalPdf(journal(200)).writeFile(folder.file(QStringLiteral("long.pdf"))));
    const QByteArray pdf = folder.read(QStringLiteral("g.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(pagesIn(pdf), 1);
    static const QRegularExpression a4(QStringLiteral("/MediaBox \\[0 0 595(\\.0+)? 842(\\.0+)?\\]"));
    EXPECT_TRUE(QString::fromLatin1(pdf).contains(a4)) << "A4 portrait";
    EXPECT_GT(pagesIn(folder.read(QStringLiteral("long.pdf"))), 3);

    const QString reader = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (reader.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess process;
    process.start(reader, {QStringLiteral("-layout"), folder.file(QStringLiteral("g.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* shown : {"Giornale x Lotti", "Data di stampa: 10/06/2011", "Progressivi da 125 a 127", "7.407,41"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << '\n' << text.toStdString();
    EXPECT_TRUE(text.contains(message));
    for (const char* number : {"125", "126", "127"})
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("^\\s*%1\\s+NRV").arg(QString::fromLatin1(number)),
                                                     QRegularExpression::MultilineOption)))
            << number;
}

TEST(JournalPdf, AFileThatCannotBeWrittenIsNamedAndTheEarlierFileKept)
{
    TempFolder folder;
    const QString path = folder.write(QStringLiteral("GiornaleXLotti_2011-06-10.pdf"), "earlier");
    Status failed = Status::success();
    {
        const FileSizeLimit limit(1000);
        failed = JournalPdf(journal(3)).writeFile(path);
    }
    ASSERT_FALSE(failed.ok());
    EXPECT_TRUE(failed.errorText().contains(path)) << failed.errorText().toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"GiornaleXLotti_2011-06-10.pdf"});
    EXPECT_EQ(folder.read(QStringLiteral("GiornaleXLotti_2011-06-10.pdf")), QByteArray("earlier"));
    // A file where the folder should be.
    folder.write(QStringLiteral("blocked"), "x");
    failed = JournalPdf(journal(3)).writeFile(folder.file(QStringLiteral("blocked/GiornaleXLotti_2011-06-10.pdf")));
    EXPECT_TRUE(failed.errorText().contains(QStringLiteral("blocked/GiornaleXLotti_2011-06-10.pdf")))
        << failed.errorText().toStdString();
}
