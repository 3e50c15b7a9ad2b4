#include "ds/SheetStore.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include "support/GenerationScenarios.h"
#include "support/SuiteFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

/// The main window on a suite of the test's own, its clock fixed on 10 June 2011 and its draws from `random`.
class MainWindowFixture : public ::testing::Test {
protected:
    explicit MainWindowFixture(QList<double> draws) : random(std::move(draws)) {}

    template <typename T> T* child(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    /// Opens the window on the suite's line, as the suite starts the program.
    void open()
    {
        ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random;
    ScriptedDialogs dialogs;
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML window{module, dialogs, clock, random};
};

class MainWindowTest : public MainWindowFixture {
protected:
    MainWindowTest() : MainWindowFixture({0.5})
    {
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EECH"),
                        QStringLiteral("3|VERDI LUCA|ALT|EESE")});
        suite.useFilter(QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    }

    /// The position label, and the list's current line as that label would write it.
    QString position()
    {
        const QListView* list = child<QListView>("List1");
        const QString line = QStringLiteral("%1/%2").arg(list->currentIndex().row() + 1).arg(list->model()->rowCount());
        EXPECT_EQ(text("lbSetPraStatus"), line) << "the list does not follow the case";
        return text("lbSetPraStatus");
    }
    QComboBox* reason() { return child<QComboBox>("cboMotivoImpagato"); }
};

} // namespace

TEST_F(MainWindowTest, OpensWithTheCasesOfTheFilterAndReloadsWithItWhateverWasTyped)
{
    open();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    QListView* list = child<QListView>("List1");
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("BIANCHI ANNA - pratica 2"));
    EXPECT_EQ(text("lblStatus"), QStringLiteral("Pratiche da esportare:2"));
    EXPECT_FALSE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("Command1")->isVisible());

    QLineEdit* filter = child<QLineEdit>("TxtSql");
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("where contatore=3"));
    click("cmdComandi_6");
    EXPECT_EQ(filter->text(), QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    EXPECT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(position(), QStringLiteral("1/2"));
}

TEST_F(MainWindowTest, AFilterLongerThanTheBoxHoldsIsRunWholeAndOneThatFailsEndsTheProgram)
{
    // The filter box holds 32767 characters; the end of a longer filter still selects.
    suite.useFilter(QStringLiteral("where [tipo mandato]='NRV'") + QString(40000, QLatin1Char(' ')) +
                    QStringLiteral("and contatore=2"));
    open();
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 1);

    suite.useFilter(QStringLiteral("where [non esiste]=1"));
    ModuloCommand again{clock, QStringLiteral("Exp_Nrv_XML")};
    EXPECT_FALSE(FRM_EXP_NRV_XML(again, dialogs, clock, random).Form_Load(SuiteFixture::statusLine()));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("non esiste")));
}

TEST_F(MainWindowTest, TooFewFieldsShowTheListingAndAnEmptyList)
{
    ASSERT_TRUE(window.Form_Load(QStringLiteral("a|b")));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("PAR0=a\r\nPAR1=b\r\n")});
    // With no cases loaded the case commands do nothing.
    click("cmdComandi_6");
    click("cmdComandi_2");
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, TheCommandsWalkTheCasesSavingTheSheetShownButASingleClickDoesNot)
{
    open();
    // Loading leaves the list after its last case, so the last one is shown first; the walk stops at both ends.
    EXPECT_EQ(position(), QStringLiteral("2/2"));
    EXPECT_EQ(text("lblfield_0"), QStringLiteral("BIANCHI ANNA"));
    EXPECT_FALSE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());
    for (const auto& [command, expected] :
         {std::pair{"cmdComandi_2", "2/2"}, std::pair{"cmdComandi_1", "1/2"}, std::pair{"cmdComandi_1", "1/2"},
          std::pair{"cmdComandi_3", "2/2"}, std::pair{"cmdComandi_0", "1/2"}}) {
        click(command);
        EXPECT_EQ(position(), QString::fromLatin1(expected)) << command;
    }
    EXPECT_EQ(text("lblfield_0"), QStringLiteral("ROSSI MARIO"));
    EXPECT_TRUE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());

    reason()->setEditText(QStringLiteral("C=No lavoro"));
    child<QLineEdit>("Scheda_4")->setText(QStringLiteral("1200"));
    click("cmdComandi_2");
    const QByteArray saved = fileBytes(SheetStore::sheetPath(1));
    EXPECT_TRUE(saved.startsWith("MotivoImpagato==C=No lavoro\r\n") &&
                saved.contains("ClienteRedditoSalario==1200\r\n"))
        << saved.toStdString();
    // Case 2 has no sheet: nothing of case 1 stays in the editor.
    EXPECT_EQ(reason()->currentText(), QString());
    EXPECT_EQ(child<QLineEdit>("Scheda_4")->text(), QString());

    reason()->setEditText(QStringLiteral("A=Negligenza"));
    QListView* list = child<QListView>("List1");
    // A click points at a line and selects nothing; Enter opens it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_FALSE(list->selectionModel()->hasSelection());
    EXPECT_EQ(text("lbSetPraStatus"), QStringLiteral("2/2"));
    Q_EMIT list->activated(list->model()->index(0, 0));
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(2)));
    EXPECT_EQ(reason()->currentText(), QStringLiteral("C=No lavoro"));
}

TEST_F(MainWindowTest, TheNavigationKeysWorkFromEveryControlOfTheCasePanel)
{
    open();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit* salary = child<QLineEdit>("Scheda_4");
    // Text boxes and editable combos keep Ctrl+Home and Ctrl+End for their own cursor unless the panel takes them.
    const std::tuple<QWidget*, Qt::Key, const char*> presses[] = {
        {salary, Qt::Key_Home, "1/2"},
        {reason(), Qt::Key_End, "2/2"},
        {child<QLineEdit>("Scheda_10"), Qt::Key_PageUp, "1/2"},
        {child<QComboBox>("cboCapacitaPagareFutureScadenze"), Qt::Key_PageDown, "2/2"},
        {child<QPlainTextEdit>("Scheda_0"), Qt::Key_Home, "1/2"},
        {child<QListView>("List1"), Qt::Key_End, "2/2"},
    };
    for (const auto& [focus, key, expected] : presses) {
        focus->setFocus();
        ASSERT_TRUE(focus->hasFocus()) << focus->objectName().toStdString();
        QTest::keyClick(focus, key, Qt::ControlModifier);
        EXPECT_EQ(position(), QString::fromLatin1(expected)) << focus->objectName().toStdString();
    }
    // The keys still reach the box when they are not the panel's.
    salary->setText(QStringLiteral("1200"));
    salary->setFocus();
    QTest::keyClick(salary, Qt::Key_Home);
    EXPECT_EQ(salary->cursorPosition(), 0);
}

TEST_F(MainWindowTest, ASheetThatCannotBeReadIsNotSavedOver)
{
    // The last case is shown first: its sheet is beyond any real one and is not read, so never saved over.
    const QString sheet = SheetStore::sheetPath(2);
    writeSparse(sheet, "MotivoImpagato==C=No lavoro\r\n", 2 * 1024 * 1024);
    open();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(sheet));
    click("cmdComandi_0");
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_EQ(QFileInfo(sheet).size(), 2 * 1024 * 1024);
}

TEST_F(MainWindowTest, TheDischargeCodesAreEditedOnRequestAndWrittenBack)
{
    open();
    click("cmdComandi_0");
    QTest::mouseDClick(child<QLabel>("lblfield_0"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    const auto edit = [&](const char* label, const std::optional<QString>& answer) {
        dialogs.answerInput(answer);
        QTest::mouseDClick(child<QLabel>(label), Qt::LeftButton);
        return suite.database().scalar(
            QStringLiteral("select codicescaricomemo || '|' || ifnull([codice scarico], '<null>') from "
                           "[Tabella Pratiche] where contatore=1"));
    };
    // Cancel, or an answer that differs only in letter case, changes nothing; an empty answer given with OK clears the
    // field. How an edit reaches each database is in server/ServerScenarioTest.
    EXPECT_EQ(edit("lblfield_2", std::nullopt), QStringLiteral("EESE|<null>"));
    EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Valore per campo codicescaricomemo"));
    EXPECT_EQ(edit("lblfield_2", QStringLiteral("eese")), QStringLiteral("EESE|<null>"));
    EXPECT_EQ(edit("lblfield_2", QStringLiteral("EECH")), QStringLiteral("EECH|<null>"));
    EXPECT_EQ(text("lblfield_2"), QStringLiteral("EECH"));
    EXPECT_FALSE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());
    EXPECT_EQ(edit("lblfield_3", QStringLiteral("C")), QStringLiteral("EECH|C"));
    EXPECT_EQ(edit("lblfield_3", QString()), QStringLiteral("EECH|<null>"));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(MainWindowTest, ControllaDatiStopsOnTheFirstIncompleteCaseAndOnceMendedEsportaWritesTheFlow)
{
    QStringList incomplete = SuiteFixture::completeSheet();
    incomplete.removeAt(1); // SituazioneFamiliare
    suite.writeSheet(1, incomplete);
    open();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca SituazioneFamiliare")});
    EXPECT_EQ(QApplication::focusWidget(), child<QComboBox>("cboSituazioneFamiliare"));
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_FALSE(child<QPushButton>("CmdEsporta")->isEnabled());
    QItemSelectionModel* marks = child<QListView>("List1")->selectionModel();
    EXPECT_FALSE(marks->isRowSelected(0, QModelIndex()));

    child<QComboBox>("cboSituazioneFamiliare")->setEditText(QStringLiteral("A=Single"));
    click("cmdComandi_2");
    click("cmdComandi_0");
    dialogs.clear();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("I dati sembrano OK")});
    EXPECT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_TRUE(marks->isRowSelected(0, QModelIndex()) && marks->isRowSelected(1, QModelIndex()));
    // The check passed and came back to the case it started from, and the list with it.
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    // Reloading does not disable "Esporta" again; the flow's name and progressive are the export's own tests.
    click("cmdComandi_6");
    ASSERT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    dialogs.clear();
    click("CmdEsporta");
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_00001_2011-06-10.XML");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("File ") + flow + QStringLiteral(" generato")});
    EXPECT_EQ(text("lblStatus"), QStringLiteral("2/2"));
    EXPECT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
}

TEST_F(MainWindowTest, TickingSoloTestPresetsTheQuotasFromTheNumberOfCasesAndShowsTheBand)
{
    open();
    click("cmdPratiche");
    const auto box = [this](const char* name) {
        return child<QLineEdit>(name)->text();
    };
    click("chkSoloTest");
    // The whole part of the cases over the choices, plus one.
    EXPECT_EQ(box("TxtMotivoImpagato_8"), QStringLiteral("1"));
    EXPECT_EQ(box("TxtCapacitaPagareFutureRate_0"), QStringLiteral("2"));
    EXPECT_EQ(box("TxtCapacitaPagareFutureRate_5"), QStringLiteral("1"));
    EXPECT_EQ(box("TxtRedditoCliente_4"), QStringLiteral("1000"));
    EXPECT_EQ(box("TxtNota_2"), QStringLiteral("Nota 3"));
    child<QLineEdit>("TxtNoteNumPra_0")->setText(QStringLiteral("9"));
    click("chkSoloTest");
    EXPECT_FALSE(child<QCheckBox>("chkSoloTest")->isChecked());
    EXPECT_TRUE(child<QLabel>("lblSoloTest")->isHidden());
    EXPECT_EQ(box("TxtNoteNumPra_0"), QStringLiteral("9"));

    // Test mode is shown plainly over the cases, and moving saves nothing.
    click("chkSoloTest");
    click("cmdPratiche");
    EXPECT_TRUE(child<QLabel>("lblSoloTest")->isVisible());
    reason()->setEditText(QStringLiteral("C=No lavoro"));
    click("cmdComandi_0");
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(2)));
}

namespace {

/// The generation started from the main window: the panel's boxes and options go into the run, and the window
/// shows it with "Interrompi", the status line, the progress bar, the list and the tooltips that count the values.
/// The core gives every recorded run; these two show the window's part: every option read from the panel, and a
/// run that waits on a used-up quota until "Interrompi" is pressed.
class MainWindowGenerationTest : public MainWindowFixture, public ::testing::WithParamInterface<const char*> {
protected:
    MainWindowGenerationTest() : MainWindowFixture(GenerationScenarios::draws())
    {
        GenerationScenarios::prepare(suite, scenario);
        suite.useFilter(QStringLiteral("order by contatore"));
    }
    QLineEdit* box(const QString& array, qsizetype index)
    {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(array).arg(index).toLatin1().constData());
    }

    const GenerationScenarios::Scenario& scenario = GenerationScenarios::named(GetParam());
};

} // namespace

TEST_P(MainWindowGenerationTest, GivesTheRecordedRun)
{
    ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
    click("cmdPratiche");
    // Answering no runs nothing: the record would show the sheets a run saves, and its counts.
    dialogs.answerQuestion(Dialogs::Answer::No);
    click("Command2");
    dialogs.clear();

    for (const auto& [option, ticked] : {std::pair{"chkSoloTest", scenario.soloTest},
                                         std::pair{"chkLeggiDaCodiceScarico_0", scenario.leggiDaCodiceScarico},
                                         std::pair{"chkOverwrite", scenario.overwrite}}) {
        if (ticked)
            click(option);
    }
    const QMap<QString, QStringList> texts = GenerationScenarios::boxTexts(scenario);
    for (auto array = texts.begin(); array != texts.end(); ++array) {
        for (qsizetype i = 0; i < array->size(); ++i)
            box(array.key(), i)->setText(array->at(i));
    }
    GenerationScenarios::Record record;
    int pumps = 0;
    QString lastStatus;
    window.setEventPump([&] {
        ++pumps;
        EXPECT_TRUE(child<QPushButton>("Command1")->isVisible());
        const QString status = text("lblStatus");
        if (status != lastStatus && status.startsWith(QStringLiteral("Quote esaurite in \""))) {
            record.usedUp.append(status.section(QLatin1Char('"'), 1, 1));
            // The bar and the editor show the case that waits.
            EXPECT_TRUE(child<QProgressBar>("progress")->text().contains(text("lblfield_1") + ' '));
        }
        lastStatus = status;
        if (pumps == scenario.stopAtPump)
            click("Command1");
    });
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    click("Command2");

    for (const ScriptedDialogs::Shown& shown : dialogs.shown())
        record.shown.append(shown.text);
    record.position = text("lbSetPraStatus");
    for (int array = 0; array < QuotaArrayCount; ++array) {
        for (int i = 0; i < GenerationQuotas::boxCount(QuotaArray(array)); ++i)
            record.quotas[QuotaArray(array)].append(
                {{}, box(GenerationScenarios::quotaArrays().at(array), i)->toolTip().toLongLong()});
    }
    GenerationScenarios::expectRecorded(scenario, record, suite);
    EXPECT_FALSE(child<QPushButton>("Command1")->isVisible());
    EXPECT_FALSE(child<QProgressBar>("progress")->isVisible());
    EXPECT_EQ(text("lblStatus"), QStringLiteral("Pratiche da esportare:12"));
    EXPECT_EQ(QStringLiteral("%1/12").arg(child<QListView>("List1")->currentIndex().row() + 1), record.position);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, MainWindowGenerationTest,
                         ::testing::Values("test_codice_scarico_sovrascrivi", "interrompi_quote_esaurite"),
                         [](const auto& info) { return std::string(info.param); });
