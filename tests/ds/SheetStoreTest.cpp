// How the store reads the sheets that the suite's other programs write (names in any letter case, values trimmed
// and cut at a second "==", the first of a duplicated name, at most 99 fields, TABs and Windows-1252 letters kept)
// and the bytes it saves are in the generation's recorded runs, which read and save every sheet of their suite.
#include "ds/SheetStore.h"
#include "ds/DiagnosisSheet.h"
#include "ds/SheetFields.h"

#include "support/SuiteFixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QDateTime SavedAt(QDate(2011, 6, 10), QTime(15, 42, 7));

/// The 15 values an editor would hold, in file order.
QStringList editorValues()
{
    return QStringLiteral("C=No lavoro|B=Sposato ||B=Locazione|B=tempo determinato||N|12/09/2011|1000||||||")
        .split(QLatin1Char('|'));
}

} // namespace

TEST(SheetStore, ALineBreakInAValueBecomesABlankAndAnySheetValueGivesTheBytesSaved)
{
    SuiteFixture suite;
    SheetStore store;
    const Result<std::optional<DiagnosisSheet>> none = store.sheetOf(1234);
    EXPECT_TRUE(none && !none->has_value());

    QStringList values = editorValues();
    values[3] = QString::fromUtf8("A=Propriet\r\nà");
    ASSERT_TRUE(store.SalvaDS(1234, values, SavedAt, false));
    const Result<std::optional<DiagnosisSheet>> sheet = store.sheetOf(1234);
    ASSERT_TRUE(sheet && sheet->has_value());
    // A line end pasted into a box would have started a line of its own.
    EXPECT_EQ((*sheet)->value(SheetFields::Abitazione), QString::fromUtf8("A=Propriet à"));
    // Whoever writes a sheet (the demo does), the store's format gives the same bytes.
    EXPECT_EQ(SheetStore::fileBytes(**sheet), fileBytes(SheetStore::sheetPath(1234)));
}

TEST(SheetStore, ASheetThatCannotBeLoadedOrSavedIsReportedNamingTheFile)
{
    SuiteFixture suite;
    // A sheet is 16 short lines: a file beyond 1 MiB is no sheet, and is refused rather than read.
    writeSparse(SheetStore::sheetPath(41), "MotivoImpagato==C=No lavoro\r\n", 1024 * 1024 + 1);
    SheetStore store;
    const Result<std::optional<DiagnosisSheet>> sheet = store.sheetOf(41);
    ASSERT_FALSE(sheet);
    EXPECT_TRUE(sheet.errorText().contains(QStringLiteral("41.txt")) &&
                sheet.errorText().contains(QStringLiteral("1 MiB")))
        << sheet.errorText().toStdString();
    EXPECT_EQ(store.CaricaDS(41).errorText(), sheet.errorText());

    QDir(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds"))).removeRecursively();
    const Status saved = store.SalvaDS(42, editorValues(), SavedAt, false);
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.errorText().contains(QStringLiteral("42.txt"))) << saved.errorText().toStdString();
}
