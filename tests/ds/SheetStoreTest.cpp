#include "ds/SheetStore.h"
#include "ds/DiagnosisSheet.h"
#include "ds/SheetFields.h"

#include "support/SuiteFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QDateTime SavedAt(QDate(2011, 6, 10), QTime(15, 42, 7));

/// The 15 values an editor would hold, in file order.
QStringList editorValues(const QString& reason = QStringLiteral("C=No lavoro"))
{
    return (reason + QStringLiteral("|B=Sposato ||B=Locazione|B=tempo determinato||N|12/09/2011|1000||||||"))
        .split(QLatin1Char('|'));
}

} // namespace

TEST(DiagnosisSheet, ReadsAFileAsTheSuitesOtherProgramsWriteItAndHoldsAtMost99Fields)
{
    const DiagnosisSheet sheet = DiagnosisSheet::fromFileText(QStringLiteral("senza separatore\r\n"
                                                                             "motivoimpagato==  C=No lavoro  \r\n"
                                                                             "\r\n"
                                                                             "==valore senza nome\r\n"
                                                                             "Note==prima==dopo\r\n"
                                                                             "SITUAZIONEFAMILIARE==B=Sposato \r\n"
                                                                             "Note==seconda nota\r\n"
                                                                             "Abitazione==\tA=Propriet\u00e0\r\n"));
    const std::pair<const char*, QString> reads[] = {
        // Names match in any letter case; only blanks are trimmed.
        {"MotivoImpagato", QStringLiteral("C=No lavoro")},
        {"situazionefamiliare", QStringLiteral("B=Sposato")},
        {"Abitazione", QStringLiteral("\tA=Propriet\u00e0")},
        // A value holding "==" is cut there; the first of two lines of the same name wins.
        {"Note", QStringLiteral("prima")},
        // A line beginning with "==" has no name that a read finds (the lines after it still count).
        {"", QString()},
        {"Manca", QString()},
    };
    for (const auto& [campo, expected] : reads)
        EXPECT_EQ(sheet.value(QString::fromLatin1(campo)), expected) << campo;

    QString text;
    for (int line = 1; line <= 120; ++line)
        text += QStringLiteral("Campo%1==%1\r\n").arg(line);
    DiagnosisSheet full = DiagnosisSheet::fromFileText(text);
    EXPECT_EQ(full.value(QStringLiteral("Campo99")), QStringLiteral("99"));
    EXPECT_EQ(full.value(QStringLiteral("Campo100")), QString());
    EXPECT_FALSE(full.set(QStringLiteral("Nuovo"), QStringLiteral("x")));
}

TEST(SheetStore, SavesTheSixteenLinesInWindows1252AndReadsThemBack)
{
    SuiteFixture suite;
    SheetStore store;
    const Result<std::optional<DiagnosisSheet>> none = store.sheetOf(1234);
    EXPECT_TRUE(none && !none->has_value());

    QStringList values = editorValues();
    values[3] = QString::fromUtf8("A=Propriet\r\nà");
    ASSERT_TRUE(store.SalvaDS(1234, values, SavedAt, false));
    const QByteArray written = fileBytes(SheetStore::sheetPath(1234));
    EXPECT_EQ(written, QByteArray("MotivoImpagato==C=No lavoro\r\n"
                                  "SituazioneFamiliare==B=Sposato \r\n"
                                  "NoteSituazioneFamiliare==\r\n"
                                  "Abitazione==A=Propriet \xe0\r\n"
                                  "TipologiaContratto==B=tempo determinato\r\n"
                                  "NoteTipologiaContratto==\r\n"
                                  "CapacitaPagamentoFutureScadenze==N\r\n"
                                  "DataMiglioramento==12/09/2011\r\n"
                                  "ClienteRedditoSalario==1000\r\n"
                                  "ClienteRedditoBenefits==0\r\n"
                                  "ClienteRedditoAltro==0\r\n"
                                  "GaranteRedditoSalario==0\r\n"
                                  "GaranteRedditoBenefits==0\r\n"
                                  "GaranteRedditoAltro==0\r\n"
                                  "Note==\r\n"
                                  "DataInserimento==10/06/2011 15:42:07\r\n"));
    const Result<std::optional<DiagnosisSheet>> sheet = store.sheetOf(1234);
    ASSERT_TRUE(sheet && sheet->has_value());
    // A line end pasted into a box would have started a line of its own.
    EXPECT_EQ((*sheet)->value(SheetFields::Abitazione), QString::fromUtf8("A=Propriet à"));
    EXPECT_EQ((*sheet)->value(SheetFields::SituazioneFamiliare), QStringLiteral("B=Sposato"));
    // Whoever writes a sheet, the store's format gives the same bytes.
    EXPECT_EQ(SheetStore::fileBytes(**sheet), written);
}

TEST(SheetStore, AnEmptyReasonDeletesTheSheetAndTestModeWritesNothing)
{
    SuiteFixture suite;
    SheetStore store;
    const QString path = SheetStore::sheetPath(7);
    const auto save = [&](const char* reason, bool soloTest) {
        EXPECT_TRUE(store.SalvaDS(7, editorValues(QString::fromLatin1(reason)), SavedAt, soloTest));
        return QFileInfo::exists(path) ? fileBytes(path) : QByteArray("none");
    };
    // In test mode no file is created, changed or deleted.
    EXPECT_EQ(save("C=No lavoro", true), "none");
    const QByteArray saved = save("C=No lavoro", false);
    EXPECT_NE(saved, "none");
    EXPECT_EQ(save("A=Negligenza", true), saved);
    EXPECT_EQ(save("", true), saved);
    // Without a reason the sheet is never kept, whatever else is filled in; nor created when absent.
    EXPECT_EQ(save("", false), "none");
    EXPECT_EQ(save("", false), "none");
}

TEST(SheetStore, ASheetThatCannotBeLoadedOrSavedIsReportedNamingTheFile)
{
    SuiteFixture suite;
    // A sheet is 16 short lines: a file beyond 1 MiB is no sheet, and is refused rather than read.
    writeSparse(SheetStore::sheetPath(41), "MotivoImpagato==C=No lavoro\r\n", 1024 * 1024 + 1);
    SheetStore reader;
    const Result<std::optional<DiagnosisSheet>> sheet = reader.sheetOf(41);
    ASSERT_FALSE(sheet);
    EXPECT_TRUE(sheet.errorText().contains(QStringLiteral("41.txt")) &&
                sheet.errorText().contains(QStringLiteral("1 MiB")))
        << sheet.errorText().toStdString();
    EXPECT_EQ(reader.CaricaDS(41).errorText(), sheet.errorText());

    QFile::remove(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds")));
    QDir(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds"))).removeRecursively();
    SheetStore store;
    const Status saved = store.SalvaDS(42, editorValues(), SavedAt, false);
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.errorText().contains(QStringLiteral("42.txt"))) << saved.errorText().toStdString();
}
