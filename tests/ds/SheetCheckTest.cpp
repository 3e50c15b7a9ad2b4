#include "ds/SheetCheck.h"
#include "ds/DiagnosisSheet.h"
#include "ds/SheetStore.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <gtest/gtest.h>

namespace {

class RecordingView : public SheetCheckView {
public:
    void markCheckedRows(qsizetype row) override { currentRow = row; }
    void showCurrentCase() override { ++shown; }
    void focusControl(SheetControl control) override { focus = control; }
    void enableEsporta() override { esporta = true; }
    void showCheckProgress(qsizetype, qsizetype) override {}

    qsizetype currentRow = -1;
    int shown = 0;
    SheetControl focus = SheetControl::None;
    bool esporta = false;
};

const QDate Today(2011, 6, 10);

/// A complete sheet's lines with some fields changed ("Name==value").
QStringList sheet(const QStringList& changes = {})
{
    DiagnosisSheet lines = DiagnosisSheet::fromFileText(SuiteFixture::completeSheet().join(QLatin1Char('\n')));
    for (const QString& change : changes)
        lines.set(change.section(QStringLiteral("=="), 0, 0), change.section(QStringLiteral("=="), 1));
    return lines.fileText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

class SheetCheckTest : public ::testing::Test {
protected:
    SheetCheckTest()
    {
        suite.addCases(
            {QStringLiteral("1|UNO|NRV|EECH"), QStringLiteral("2|DUE|NRV|EESE"), QStringLiteral("3|TRE|NRV|info")});
        // Case 1 needs no sheet: a file that is there is not read.
        suite.writeSheet(1, {QStringLiteral("rotto")});
        EXPECT_TRUE(connection.open(suite.database().connectionString()));
    }

    SuiteFixture suite;
    db::Connection connection;
    db::Recordset pratiche;
    SheetStore store;
    ScriptedDialogs dialogs;
    RecordingView view;
};

const char* const Ok = "I dati sembrano OK";

} // namespace

TEST_F(SheetCheckTest, StopsOnTheFirstFindingWithItsFocusOrEnablesEsportaAndComesBackToItsCase)
{
    struct Row {
        QStringList changes3 = {}; ///< of case 3's sheet; "none" removes its file
        const char* message;
        SheetControl focus = SheetControl::None;
        qsizetype row = 2; ///< the row the check stops on; all three rows when it passes
        QStringList changes2 = {};
        QStringList codes = {QStringLiteral("'EECH'"), QStringLiteral("'EESE'"), QStringLiteral("'info'")};
    };
    const Row rows[] = {
        {.message = Ok, .row = 3},
        // "S" needs no improvement date.
        {.message = Ok, .row = 3, .changes2 = {"CapacitaPagamentoFutureScadenze==S", "DataMiglioramento=="}},
        {{"MotivoImpagato==   "}, "Manca Motivo Impagato", SheetControl::MotivoImpagato},
        {{"SituazioneFamiliare=="}, "Manca SituazioneFamiliare", SheetControl::SituazioneFamiliare},
        {{"Abitazione=="}, "Manca Abitazione", SheetControl::Abitazione},
        {{"TipologiaContratto=="}, "Manca TipologiaContratto", SheetControl::TipologiaContratto},
        {{"CapacitaPagamentoFutureScadenze=="},
         "Manca CapacitaPagamentoFutureScadenze",
         SheetControl::CapacitaPagamento},
        {{"DataMiglioramento==31/02/2011"}, "Manca DataMiglioramento", SheetControl::DataMiglioramento},
        {{"ClienteRedditoSalario=="}, "Manca Reddito Cliente", SheetControl::RedditoCliente},
        // Lower-case "n" asks for the date too; the earliest finding of a sheet is the one reported.
        {{"CapacitaPagamentoFutureScadenze==n", "DataMiglioramento=="},
         "Manca DataMiglioramento",
         SheetControl::DataMiglioramento},
        {{"Abitazione==", "ClienteRedditoSalario=="}, "Manca Abitazione", SheetControl::Abitazione},
        // A missing code or sheet is found before any field; "EESE " with its blank needs no sheet.
        {.message = "Manca Codice Scarico Memo",
         .row = 0,
         .changes2 = {"MotivoImpagato=="},
         .codes = {"NULL", "'EESE'", "'info'"}},
        {.changes3 = {"none"},
         .message = "Manca Diagnosis Sheet",
         .changes2 = {"MotivoImpagato=="},
         .codes = {"'EECH'", "'EESE '", "'info'"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        for (int k = 1; k <= 3; ++k) {
            suite.database().exec(
                {QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo=%1 WHERE contatore=%2")
                     .arg(row.codes.at(k - 1))
                     .arg(k)});
        }
        suite.writeSheet(2, sheet(row.changes2));
        suite.writeSheet(3, sheet(row.changes3));
        if (row.changes3 == QStringList{QStringLiteral("none")})
            QFile::remove(SheetStore::sheetPath(3));
        // The recordset stands on the second case.
        ASSERT_TRUE(pratiche.open(QStringLiteral("Select * From [Tabella Pratiche] order by contatore"), connection,
                                  db::Recordset::Lock::Optimistic));
        ASSERT_TRUE(pratiche.moveNext());
        dialogs.clear();
        view = RecordingView();
        const bool ok = qstrcmp(row.message, Ok) == 0;
        EXPECT_EQ(CheckTutteLePratiche(pratiche, store, Today, view, dialogs), ok);
        EXPECT_EQ(dialogs.messages(), QStringList{QString::fromLatin1(row.message)});
        EXPECT_EQ(view.focus, row.focus);
        EXPECT_EQ(view.currentRow, row.row);
        EXPECT_EQ(view.shown, ok ? 0 : 1);
        EXPECT_EQ(view.esporta, ok);
        EXPECT_EQ(pratiche.absolutePosition(), ok ? 2 : row.row + 1);
    }
}
