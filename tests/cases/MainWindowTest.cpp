#include "cases/FRM_EXP_NRV_XML.h"
#include "ds/GenerationPanel.h"
#include "ds/SheetEditor.h"
#include "ds/SheetStore.h"
#include "launcher/ModuloCommand.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/Random.h"
#include "launcher/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString StatusLine = QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt");

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EECH"),
                        QStringLiteral("3|VERDI LUCA|ALT|EESE")});
        suite.writeStatusFile(
            {QStringLiteral("n=1"), QStringLiteral("f=where [tipo mandato]='NRV' order by contatore")});
    }

    template <typename T> T* child(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    QString position() { return child<QLabel>("lbSetPraStatus")->text(); }
    QString shownName() { return child<QLabel>("lblfield_0")->text(); }
    void load()
    {
        ASSERT_TRUE(window.Form_Load(StatusLine));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random{{0.5}};
    ScriptedDialogs dialogs;
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML window{module, dialogs, clock, random};
};

} // namespace

TEST_F(MainWindowTest, OpensWithTheCasesOfTheFilterAndTheCasePanelShowing)
{
    ASSERT_TRUE(window.Form_Load(StatusLine));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Esportazione Norvanta XML"));
    EXPECT_EQ(child<QLineEdit>("TxtSql")->text(), QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Pratiche da esportare:2"));

    QListView* list = child<QListView>("List1");
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::UserRole).toInt(), 2);

    EXPECT_TRUE(child<QGroupBox>("FramePratiche")->isVisible());
    EXPECT_EQ(child<QPushButton>("cmdPratiche")->text(), QStringLiteral("Genera Diag.Sh.  con Causali"));
    EXPECT_FALSE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("Command1")->isVisible());
    EXPECT_FALSE(child<QPushButton>("cmdComandi_4")->isVisible());

    QTest::mouseClick(child<QPushButton>("cmdPratiche"), Qt::LeftButton);
    EXPECT_EQ(child<QPushButton>("cmdPratiche")->text(), QStringLiteral("Pratiche"));
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isVisible());
    EXPECT_FALSE(child<QGroupBox>("FramePratiche")->isVisible());
}

TEST_F(MainWindowTest, ReloadingRunsTheSuitesFilterNotWhatWasTyped)
{
    ASSERT_TRUE(window.Form_Load(StatusLine));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QLineEdit* filter = child<QLineEdit>("TxtSql");
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("where contatore=3"));
    QTest::mouseClick(child<QPushButton>("cmdComandi_6"), Qt::LeftButton);
    EXPECT_EQ(filter->text(), QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 2);
    EXPECT_EQ(window.cases().pratiche().absolutePosition(), 1);
}

TEST_F(MainWindowTest, TooFewFieldsShowTheListingAndAnEmptyList)
{
    ASSERT_TRUE(window.Form_Load(QStringLiteral("a|b")));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("PAR0=a\r\nPAR1=b\r\n")});
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 0);
    EXPECT_EQ(child<QLineEdit>("TxtSql")->text(), QStringLiteral("Text1"));
    // With no cases loaded the case commands do nothing.
    QTest::mouseClick(child<QPushButton>("cmdComandi_6"), Qt::LeftButton);
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, AFilterThatFailsEndsTheProgramWithTheDriverText)
{
    suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=where [non esiste]=1")});
    EXPECT_FALSE(window.Form_Load(StatusLine));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("non esiste")));
}

TEST_F(MainWindowTest, TheCommandsWalkTheCasesAndStopAtBothEnds)
{
    load();
    // Loading leaves the list after its last case, so the last one is shown first.
    EXPECT_EQ(position(), QStringLiteral("2/2"));
    EXPECT_EQ(shownName(), QStringLiteral("BIANCHI ANNA"));
    click("cmdComandi_2");
    EXPECT_EQ(position(), QStringLiteral("2/2"));
    click("cmdComandi_0");
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_EQ(shownName(), QStringLiteral("ROSSI MARIO"));
    click("cmdComandi_1");
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    click("cmdComandi_3");
    EXPECT_EQ(position(), QStringLiteral("2/2"));
    EXPECT_EQ(child<QLabel>("lblfield_2")->text(), QStringLiteral("EECH"));
    EXPECT_FALSE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());
    click("cmdComandi_1");
    EXPECT_TRUE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());
}

TEST_F(MainWindowTest, EveryMoveSavesTheSheetShownButADoubleClickDoesNot)
{
    load();
    click("cmdComandi_0");
    SheetEditor* editor = window.editor();
    editor->cboMotivoImpagato->setEditText(QStringLiteral("C=No lavoro"));
    editor->Scheda[4]->setText(QStringLiteral("1200"));
    click("cmdComandi_2");
    SheetStore saved;
    ASSERT_TRUE(saved.CeDiagnosiSheet(1));
    ASSERT_TRUE(saved.CaricaDS(1));
    EXPECT_EQ(saved.LeggiDS(QStringLiteral("MotivoImpagato")), QStringLiteral("C=No lavoro"));
    EXPECT_EQ(saved.LeggiDS(QStringLiteral("ClienteRedditoSalario")), QStringLiteral("1200"));
    EXPECT_EQ(saved.LeggiDS(QStringLiteral("GaranteRedditoSalario")), QStringLiteral("0"));
    // Case 2 has no sheet: nothing of case 1 stays in the editor.
    EXPECT_EQ(editor->cboMotivoImpagato->currentText(), QString());
    EXPECT_EQ(editor->Scheda[4]->text(), QString());

    editor->cboMotivoImpagato->setEditText(QStringLiteral("A=Negligenza"));
    QListView* list = child<QListView>("List1");
    list->setCurrentIndex(list->model()->index(0, 0));
    Q_EMIT list->activated(list->model()->index(0, 0));
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_FALSE(saved.CeDiagnosiSheet(2));
    EXPECT_EQ(editor->cboMotivoImpagato->currentText(), QStringLiteral("C=No lavoro"));
}

TEST_F(MainWindowTest, ASheetThatCannotBeSavedKeepsTheWindowOnItsCase)
{
    load();
    click("cmdComandi_0");
    window.editor()->cboMotivoImpagato->setEditText(QStringLiteral("C=No lavoro"));
    QDir(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds"))).removeRecursively();
    click("cmdComandi_2");
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("1.txt")));
    EXPECT_EQ(window.editor()->cboMotivoImpagato->currentText(), QStringLiteral("C=No lavoro"));
}

TEST_F(MainWindowTest, TheDischargeCodesAreEditedOnRequestAndWrittenBack)
{
    load();
    click("cmdComandi_0");
    QTest::mouseDClick(child<QLabel>("lblfield_0"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    dialogs.answerInput(std::nullopt);
    QTest::mouseDClick(child<QLabel>("lblfield_2"), Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Valore per campo codicescaricomemo"));
    dialogs.answerInput(QStringLiteral("eese"));
    QTest::mouseDClick(child<QLabel>("lblfield_2"), Qt::LeftButton);
    EXPECT_EQ(
        suite.database().scalar(QStringLiteral("select codicescaricomemo from [Tabella Pratiche] where contatore=1")),
        QStringLiteral("EESE"));

    dialogs.answerInput(QStringLiteral("EECH"));
    QTest::mouseDClick(child<QLabel>("lblfield_2"), Qt::LeftButton);
    EXPECT_EQ(
        suite.database().scalar(QStringLiteral("select codicescaricomemo from [Tabella Pratiche] where contatore=1")),
        QStringLiteral("EECH"));
    EXPECT_EQ(child<QLabel>("lblfield_2")->text(), QStringLiteral("EECH"));
    EXPECT_FALSE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());

    // An empty answer given with OK clears the field.
    dialogs.answerInput(QString());
    QTest::mouseDClick(child<QLabel>("lblfield_3"), Qt::LeftButton);
    EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Valore per campo codice scarico"));
    dialogs.answerInput(QStringLiteral("C"));
    QTest::mouseDClick(child<QLabel>("lblfield_3"), Qt::LeftButton);
    EXPECT_EQ(
        suite.database().scalar(QStringLiteral("select [codice scarico] from [Tabella Pratiche] where contatore=1")),
        QStringLiteral("C"));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(MainWindowTest, ControllaDatiStopsOnTheFirstIncompleteCaseAndPassesOnceMended)
{
    load();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca Diagnosis Sheet")});
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_FALSE(child<QPushButton>("CmdEsporta")->isEnabled());
    QListView* list = child<QListView>("List1");
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_FALSE(list->selectionModel()->isRowSelected(0, QModelIndex()));

    SheetEditor* editor = window.editor();
    editor->cboMotivoImpagato->setEditText(QStringLiteral("C=No lavoro"));
    click("cmdComandi_2"); // saves case 1 with only its reason
    dialogs.clear();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca SituazioneFamiliare")});
    EXPECT_EQ(QApplication::focusWidget(), editor->cboSituazioneFamiliare);

    editor->cboSituazioneFamiliare->setEditText(QStringLiteral("A=Single"));
    editor->cboAbitazione->setEditText(QStringLiteral("B=Locazione"));
    editor->cboTipologiaContratto->setEditText(QStringLiteral("F=altro"));
    editor->cboCapacitaPagareFutureScadenze->setEditText(QStringLiteral("S"));
    click("cmdComandi_2");
    dialogs.clear();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("I dati sembrano OK")});
    EXPECT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, QModelIndex()));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(1, QModelIndex()));
    // Reloading does not disable "Esporta" again.
    click("cmdComandi_6");
    EXPECT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
}

TEST_F(MainWindowTest, TickingSoloTestPresetsTheQuotasFromTheNumberOfCases)
{
    load();
    click("cmdPratiche");
    GenerationPanel* panel = window.generationPanel();
    QTest::mouseClick(panel->chkSoloTest, Qt::LeftButton);
    ASSERT_TRUE(panel->soloTest());
    EXPECT_EQ(panel->TxtMotivoImpagato.at(8)->text(), QStringLiteral("1"));
    EXPECT_EQ(panel->TxtCapacitaPagareFutureRate.at(0)->text(), QStringLiteral("2"));
    EXPECT_EQ(panel->TxtCapacitaPagareFutureRate.at(5)->text(), QStringLiteral("1"));
    EXPECT_EQ(panel->TxtRedditoCliente.at(4)->text(), QStringLiteral("1000"));
    EXPECT_EQ(panel->TxtNota.at(2)->text(), QStringLiteral("Nota 3"));
    panel->TxtNoteNumPra.at(0)->setText(QStringLiteral("9"));
    QTest::mouseClick(panel->chkSoloTest, Qt::LeftButton);
    EXPECT_FALSE(panel->soloTest());
    EXPECT_EQ(panel->TxtNoteNumPra.at(0)->text(), QStringLiteral("9"));

    // In test mode moving saves nothing.
    QTest::mouseClick(panel->chkSoloTest, Qt::LeftButton);
    click("cmdPratiche");
    window.editor()->cboMotivoImpagato->setEditText(QStringLiteral("C=No lavoro"));
    click("cmdComandi_0");
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(2)));
}

TEST(QuotaPresets, AreTheWholePartOfTheCasesOverTheChoicesPlusOne)
{
    EXPECT_EQ(quotaPreset(20, 9), QStringLiteral("3"));
    EXPECT_EQ(quotaPreset(20, 3), QStringLiteral("7"));
    EXPECT_EQ(quotaPreset(0, 6), QStringLiteral("1"));
    EXPECT_EQ(quotaPreset(100000, 2), QStringLiteral("50001"));
}

TEST_F(MainWindowTest, EsportaWritesTheFlowOnTheDesktopAndRemembersItsNumber)
{
    suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo='EECH'")});
    load();
    click("cmdComandi_5");
    ASSERT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    dialogs.clear();
    click("CmdEsporta");
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_00001_2011-06-10.XML");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("File ") + flow + QStringLiteral(" generato")});
    EXPECT_TRUE(QFileInfo(flow).isFile());
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("2/2"));
    EXPECT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_EQ(suite.home().folder().read(QStringLiteral("drives/Z/work/kv32/dati/IDNrvXML.ini")),
              QByteArray("[Norvanta]\r\nLastID=00001\r\n"));

    // The next export proposes the next number.
    dialogs.clear();
    click("CmdEsporta");
    ASSERT_EQ(dialogs.shown().size(), 4);
    EXPECT_EQ(dialogs.shown().at(2).text, QStringLiteral("Progressivo Invio "));
    EXPECT_TRUE(QFileInfo(suite.home().desktop() + QStringLiteral("/0008_06_00002_2011-06-10.XML")).isFile());
}
