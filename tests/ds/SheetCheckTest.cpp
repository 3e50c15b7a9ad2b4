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
        suite.writeSheet(2, sheet());
        suite.writeSheet(3, sheet());
        EXPECT_TRUE(connection.open(suite.database().connectionString()));
    }

    /// Runs the check over the three cases, the recordset standing on the second.
    bool check()
    {
        EXPECT_TRUE(pratiche.open(QStringLiteral("Select * From [Tabella Pratiche] order by contatore"), connection,
                                  db::Recordset::Lock::Optimistic));
        EXPECT_TRUE(pratiche.moveNext());
        dialogs.clear();
        view = RecordingView();
        return CheckTutteLePratiche(pratiche, store, Today, view, dialogs);
    }

    SuiteFixture suite;
    db::Connection connection;
    db::Recordset pratiche;
    SheetStore store;
    ScriptedDialogs dialogs;
    RecordingView view;
};

} // namespace

TEST_F(SheetCheckTest, ACompleteListEnablesEsportaAndComesBackToItsCase)
{
    ASSERT_TRUE(check());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("I dati sembrano OK")});
    EXPECT_TRUE(view.esporta);
    EXPECT_EQ(view.currentRow, 3);
    EXPECT_EQ(pratiche.absolutePosition(), 2);
    EXPECT_EQ(view.shown, 0);

    // "S" needs no improvement date; a sheet that is there but not required is not read.
    suite.writeSheet(
        2, sheet({QStringLiteral("CapacitaPagamentoFutureScadenze==S"), QStringLiteral("DataMiglioramento==")}));
    suite.writeSheet(1, {QStringLiteral("rotto")});
    EXPECT_TRUE(check());
}

TEST_F(SheetCheckTest, TheFirstFindingStopsTheCheckOnItsCaseWithItsFocus)
{
    struct Expectation {
        const char* change;
        const char* message;
        SheetControl focus;
    };
    const Expectation findings[] = {
        {"MotivoImpagato==   ", "Manca Motivo Impagato", SheetControl::MotivoImpagato},
        {"SituazioneFamiliare==", "Manca SituazioneFamiliare", SheetControl::SituazioneFamiliare},
        {"Abitazione==", "Manca Abitazione", SheetControl::Abitazione},
        {"TipologiaContratto==", "Manca TipologiaContratto", SheetControl::TipologiaContratto},
        {"CapacitaPagamentoFutureScadenze==", "Manca CapacitaPagamentoFutureScadenze", SheetControl::CapacitaPagamento},
        {"DataMiglioramento==31/02/2011", "Manca DataMiglioramento", SheetControl::DataMiglioramento},
        {"ClienteRedditoSalario==", "Manca Reddito Cliente", SheetControl::RedditoCliente},
    };
    for (const Expectation& expected : findings) {
        suite.writeSheet(3, sheet({QString::fromLatin1(expected.change)}));
        EXPECT_FALSE(check()) << expected.message;
        EXPECT_EQ(dialogs.messages(), QStringList{QString::fromLatin1(expected.message)});
        EXPECT_EQ(view.focus, expected.focus) << expected.message;
        EXPECT_EQ(view.currentRow, 2);
        EXPECT_EQ(view.shown, 1);
        EXPECT_EQ(pratiche.absolutePosition(), 3);
        EXPECT_FALSE(view.esporta);
    }
    // Lower-case "n" asks for the date too; the earliest finding of a sheet is the one reported.
    suite.writeSheet(
        3, sheet({QStringLiteral("CapacitaPagamentoFutureScadenze==n"), QStringLiteral("DataMiglioramento==")}));
    EXPECT_FALSE(check());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca DataMiglioramento")});
    suite.writeSheet(3, sheet({QStringLiteral("Abitazione=="), QStringLiteral("ClienteRedditoSalario==")}));
    EXPECT_FALSE(check());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca Abitazione")});
}

TEST_F(SheetCheckTest, AMissingCodeOrSheetIsFoundBeforeAnyField)
{
    suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo=NULL WHERE contatore=1")});
    suite.writeSheet(2, sheet({QStringLiteral("MotivoImpagato==")}));
    EXPECT_FALSE(check());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca Codice Scarico Memo")});
    EXPECT_EQ(view.focus, SheetControl::None);
    EXPECT_EQ(view.currentRow, 0);

    suite.database().exec(
        {QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo='EECH' WHERE contatore=1"),
         QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo='EESE ' WHERE contatore=2")});
    // "EESE " with its blank needs no sheet; case 3 ("info") lacks its file.
    QFile::remove(SheetStore::sheetPath(3));
    EXPECT_FALSE(check());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca Diagnosis Sheet")});
    EXPECT_EQ(view.focus, SheetControl::None);
    EXPECT_EQ(view.currentRow, 2);
}
