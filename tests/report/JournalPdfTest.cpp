// The journal's PDF. Drawing needs the graphical application that the window tests start.
#include "report/JournalPdf.h"

#include "foundation/db/Currency.h"

#include "support/OsFaults.h"
#include "support/TempFolder.h"

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
    static const QRegularExpression a4(QStringLiteral("/MediaBox \\[0 0 595(\\.0+)? 842(\\.0+)?\\]"));
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF") && QString::fromLatin1(pdf).contains(a4));
    EXPECT_EQ(pagesIn(pdf), 1);
    EXPECT_GT(pagesIn(folder.read(QStringLiteral("long.pdf"))), 3);

    // Beyond the size limit the failure names the file and keeps the earlier one.
    const QStringList before = filesOf(folder.path());
    {
        const FileSizeLimit limit(1000);
        const Status failed = JournalPdf(journal(3)).writeFile(folder.file(QStringLiteral("g.pdf")));
        EXPECT_TRUE(!failed.ok() && failed.errorText().contains(folder.file(QStringLiteral("g.pdf"))));
    }
    EXPECT_EQ(filesOf(folder.path()), before);

    const QString reader = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (reader.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess process;
    process.start(reader, {QStringLiteral("-layout"), folder.file(QStringLiteral("g.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QStringList missing;
    for (const QString& shown :
         {QStringLiteral("Giornale x Lotti"), QStringLiteral("Data di stampa: 10/06/2011"),
          QStringLiteral("Progressivi da 125 a 127"), QStringLiteral("7.407,41"), message,
          QStringLiteral("\n\\s*125\\s+NRV"), QStringLiteral("\n\\s*126\\s+NRV"), QStringLiteral("\n\\s*127\\s+NRV")})
        if (!text.contains(QRegularExpression(shown.startsWith('\n') ? shown : QRegularExpression::escape(shown))))
            missing.append(shown);
    EXPECT_EQ(missing, QStringList()) << text.toStdString();
}
