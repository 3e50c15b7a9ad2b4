// How the store reads the sheets that the suite's other programs write (names in any letter case, values trimmed
// and cut at a second "==", the first of a duplicated name, at most 99 fields, TABs and Windows-1252 letters kept)
// and the bytes it saves are in the generation's recorded runs, which read and save every sheet of their suite.
#include "ds/SheetStore.h"
#include "ds/DiagnosisSheet.h"
#include "ds/SheetFields.h"

#include "support/QtPrinters.h"
#include "support/SuiteFixture.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(SheetStore, KeepsAValueOnItsLineGivesItsOwnBytesAndNamesTheFileItCannotLoadOrSave)
{
    SuiteFixture suite;
    SheetStore store;
    const Result<std::optional<DiagnosisSheet>> none = store.sheetOf(1234);
    ASSERT_TRUE(none && !none->has_value());
    // The 15 values an editor holds, in file order; a line end pasted into a box would start a line of its own.
    const QStringList values =
        QString::fromUtf8("C=No lavoro|B=Sposato ||A=Propriet\r\nà|B=tempo determinato||N|12/09/2011|1000||||||")
            .split('|');
    const QDateTime savedAt(QDate(2011, 6, 10), QTime(15, 42, 7));
    ASSERT_TRUE(store.SalvaDS(1234, values, savedAt, false));
    const Result<std::optional<DiagnosisSheet>> sheet = store.sheetOf(1234);
    ASSERT_TRUE(sheet && sheet->has_value());
    // Whoever writes a sheet (the demo does), the store's format gives the same bytes.
    EXPECT_EQ(std::tuple((*sheet)->value(SheetFields::Abitazione), SheetStore::fileBytes(**sheet)),
              std::tuple(QString::fromUtf8("A=Propriet à"), fileBytes(SheetStore::sheetPath(1234))));

    // A sheet is 16 short lines: a file beyond 1 MiB is no sheet, and is refused rather than read.
    writeSparse(SheetStore::sheetPath(41), "MotivoImpagato==C=No lavoro\r\n", 1024 * 1024 + 1);
    const QString unread = store.sheetOf(41).errorText();
    EXPECT_EQ(store.CaricaDS(41).errorText(), unread);
    QDir(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds"))).removeRecursively();
    EXPECT_EQ(std::tuple(unread, store.SalvaDS(42, values, savedAt, false).errorText()),
              std::tuple("Il file " + SheetStore::sheetPath(41) +
                             " supera 1 MiB: nessun file della suite è così "
                             "grande, e il file non viene letto. Controllare che il percorso indichi il file giusto.",
                         "Diagnosis Sheet della pratica 42 non salvata. Impossibile scrivere il file " +
                             SheetStore::sheetPath(42) + ": No such file or directory"));
}
