#include "ds/SheetCheck.h"
#include "ds/DiagnosisSheet.h"
#include "ds/SheetStore.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/QtPrinters.h"
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

/// A complete sheet's lines with some fields changed ("Name==value").
QStringList sheet(const QStringList& changes)
{
    DiagnosisSheet lines = DiagnosisSheet::fromFileText(SuiteFixture::completeSheet().join(QLatin1Char('\n')));
    for (const QString& change : changes)
        lines.set(change.section(QStringLiteral("=="), 0, 0), change.section(QStringLiteral("=="), 1));
    return lines.fileText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

TEST(SheetCheck, StopsOnTheFirstFindingWithItsFocusOrEnablesEsportaAndComesBackToItsCase)
{
    SuiteFixture suite;
    suite.addCases({QStringLiteral("1|UNO|NRV"), QStringLiteral("2|DUE|NRV"), QStringLiteral("3|TRE|NRV")});
    // Case 1 needs no sheet: a file that is there is not read.
    suite.writeSheet(1, {QStringLiteral("rotto")});
    db::Connection connection;
    ASSERT_TRUE(connection.open(suite.database().connectionString()));
    using enum SheetControl;
    const char* const ok = "I dati sembrano OK";
    struct Row {
        const char* message;
        SheetControl focus;
        qsizetype row;             ///< the row the check stops on; all three rows when it passes
        QStringList changes3;      ///< of case 3's sheet; "none" removes its file
        QStringList changes2 = {}; ///< of case 2's sheet
        QString codes = "'EECH'|'EESE'|'info'";
    } const rows[] = {
        {ok, None, 3, {}},
        // "S" needs no improvement date.
        {ok, None, 3, {}, {"CapacitaPagamentoFutureScadenze==S", "DataMiglioramento=="}},
        {"Manca Motivo Impagato", MotivoImpagato, 2, {"MotivoImpagato==   "}},
        {"Manca SituazioneFamiliare", SituazioneFamiliare, 2, {"SituazioneFamiliare=="}},
        {"Manca Abitazione", Abitazione, 2, {"Abitazione=="}},
        {"Manca TipologiaContratto", TipologiaContratto, 2, {"TipologiaContratto=="}},
        {"Manca CapacitaPagamentoFutureScadenze", CapacitaPagamento, 2, {"CapacitaPagamentoFutureScadenze=="}},
        {"Manca DataMiglioramento", DataMiglioramento, 2, {"DataMiglioramento==31/02/2011"}},
        {"Manca Reddito Cliente", RedditoCliente, 2, {"ClienteRedditoSalario=="}},
        // Lower-case "n" asks for the date too; the earliest finding of a sheet is the one reported.
        {"Manca DataMiglioramento",
         DataMiglioramento,
         2,
         {"CapacitaPagamentoFutureScadenze==n", "DataMiglioramento=="}},
        {"Manca Abitazione", Abitazione, 2, {"Abitazione==", "ClienteRedditoSalario=="}},
        // A missing code or sheet is found before any field; "EESE " with its blank needs no sheet.
        {"Manca Codice Scarico Memo", None, 0, {}, {"MotivoImpagato=="}, "NULL|'EESE'|'info'"},
        {"Manca Diagnosis Sheet", None, 2, {"none"}, {"MotivoImpagato=="}, "'EECH'|'EESE '|'info'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        const QStringList codes = row.codes.split('|');
        suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo=CASE contatore WHEN 1 "
                                              "THEN %1 WHEN 2 THEN %2 ELSE %3 END")
                                   .arg(codes.at(0), codes.at(1), codes.at(2))});
        suite.writeSheet(2, sheet(row.changes2));
        suite.writeSheet(3, sheet(row.changes3));
        if (row.changes3 == QStringList{"none"})
            QFile::remove(SheetStore::sheetPath(3));
        // The recordset stands on the second case.
        db::Recordset pratiche;
        ASSERT_TRUE(pratiche.open(QStringLiteral("Select * From [Tabella Pratiche] order by contatore"), connection,
                                  db::Recordset::Lock::Optimistic) &&
                    pratiche.moveNext());
        ScriptedDialogs dialogs;
        SheetStore store;
        RecordingView view;
        const bool passed = CheckTutteLePratiche(pratiche, store, QDate(2011, 6, 10), view, dialogs);
        const bool passes = row.message == ok;
        EXPECT_EQ(std::tuple(passed, dialogs.messages(), view.focus, view.currentRow, view.shown, view.esporta,
                             pratiche.absolutePosition()),
                  std::tuple(passes, QStringList{row.message}, row.focus, row.row, passes ? 0 : 1, passes,
                             passes ? 2 : row.row + 1));
    }
}
