#include "ds/SheetStore.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include "support/GenerationScenarios.h"
#include "support/QtPrinters.h"
#include "support/SuiteFixture.h"

#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

/// The main window on a suite of the test's own, its clock fixed on 10 June 2011 and its draws from `random`.
class MainWindowFixture : public ::testing::Test {
protected:
    explicit MainWindowFixture(QList<double> draws) : random(std::move(draws)) {}

    /// A control of the window, or of another.
    template <typename T = QWidget> T* child(const QString& name, const QWidget* of = nullptr)
    {
        T* found = (of ? of : &window)->findChild<T*>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found;
    }
    void click(const QString& name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    /// The position label, checked against the list's current line.
    QString position()
    {
        const QListView* list = child<QListView>("List1");
        const QString line = QStringLiteral("%1/%2").arg(list->currentIndex().row() + 1).arg(list->model()->rowCount());
        EXPECT_EQ(text("lbSetPraStatus"), line) << "the list does not follow the case";
        return text("lbSetPraStatus");
    }
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

    /// The case shown: its position, name, whether its sheet is required, the reason and the salary in the editor.
    QString shown()
    {
        return QStringList{position(), text("lblfield_0"), child("lblDSOBBLIGATORIO")->isVisible() ? "DS" : "",
                           reason()->currentText(), child<QLineEdit>("Scheda_4")->text()}
            .join('|');
    }
    QComboBox* reason() { return child<QComboBox>("cboMotivoImpagato"); }
};

} // namespace

TEST_F(MainWindowTest, ALongFilterIsRunWholeAndTooFewFieldsShowTheListingAndAnEmptyList)
{
    // The filter box holds 32767 characters; the end of a longer filter still selects.
    suite.useFilter("where [tipo mandato]='NRV'" + QString(40000, ' ') + "and contatore=2");
    open();
    ModuloCommand command{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML other(command, dialogs, clock, random);
    ASSERT_TRUE(other.Form_Load("a|b"));
    // With no cases loaded the case commands do nothing.
    for (const char* button : {"cmdComandi_6", "cmdComandi_2"})
        QTest::mouseClick(child<QAbstractButton>(button, &other), Qt::LeftButton);
    EXPECT_EQ(std::tuple(child<QListView>("List1")->model()->rowCount(), dialogs.messages(),
                         child<QListView>("List1", &other)->model()->rowCount()),
              std::tuple(1, QStringList{"PAR0=a\r\nPAR1=b\r\n"}, 0));
}

TEST_F(MainWindowTest, WalksTheCasesByCommandsAndKeysFromAnyControlSavingTheSheetShownButNoneItCannotReadOrInTestMode)
{
    open();
    // Loading leaves the list after its last case, so the last one is shown first.
    const QAbstractItemModel* lines = child<QListView>("List1")->model();
    EXPECT_EQ(std::tuple(dialogs.messages(), shown(), lines->index(0, 0).data().toString(),
                         lines->index(1, 0).data(Qt::ToolTipRole).toString(), text("lblStatus"),
                         child("CmdEsporta")->isEnabled(), child("Command1")->isVisible()),
              std::tuple(QStringList{}, QString("2/2|BIANCHI ANNA|||"), QString("ROSSI MARIO"),
                         QString("BIANCHI ANNA - pratica 2"), QString("Pratiche da esportare:2"), false, false));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // Text boxes and editable combos keep Ctrl+Home and Ctrl+End for their own cursor unless the panel takes them.
    const std::tuple<const char*, Qt::Key, const char*> steps[] = {
        {"Scheda_4", Qt::Key_Home, "1/2|ROSSI MARIO|DS||"},
        {"cboMotivoImpagato", Qt::Key_End, "2/2|BIANCHI ANNA|||"},
        {"Scheda_10", Qt::Key_PageUp, "1/2|ROSSI MARIO|DS||"},
        {"cboCapacitaPagareFutureScadenze", Qt::Key_PageDown, "2/2|BIANCHI ANNA|||"},
        {"Scheda_0", Qt::Key_Home, "1/2|ROSSI MARIO|DS||"},
        {"List1", Qt::Key_End, "2/2|BIANCHI ANNA|||"},
        {"cmdComandi_2", {}, "2/2|BIANCHI ANNA|||"},
        {"cmdComandi_1", {}, "1/2|ROSSI MARIO|DS||"},
        {"cmdComandi_1", {}, "1/2|ROSSI MARIO|DS||"},
        {"cmdComandi_3", {}, "2/2|BIANCHI ANNA|||"},
        {"cmdComandi_0", {}, "1/2|ROSSI MARIO|DS||"},
    };
    for (const auto& [name, key, expected] : steps) {
        SCOPED_TRACE(name);
        child(name)->setFocus();
        if (key == Qt::Key{})
            click(name);
        else
            QTest::keyClick(child(name), key, Qt::ControlModifier);
        EXPECT_EQ(shown(), QString::fromUtf8(expected));
    }
    // The keys still reach the box when they are not the panel's.
    QLineEdit* salary = child<QLineEdit>("Scheda_4");
    salary->setText(QStringLiteral("1200"));
    salary->setFocus();
    QTest::keyClick(salary, Qt::Key_Home);
    EXPECT_EQ(salary->cursorPosition(), 0);

    reason()->setEditText(QStringLiteral("C=No lavoro"));
    click("cmdComandi_2");
    // Case 2 has no sheet: nothing of case 1 stays in the editor.
    const QByteArray saved = fileBytes(SheetStore::sheetPath(1));
    EXPECT_EQ(std::tuple(saved.left(29), saved.contains("ClienteRedditoSalario==1200\r\n"), shown()),
              std::tuple("MotivoImpagato==C=No lavoro\r\n", true, "2/2|BIANCHI ANNA|||"));

    reason()->setEditText(QStringLiteral("A=Negligenza"));
    // A click points at a line and selects nothing; Enter opens it, saving nothing.
    QListView* list = child<QListView>("List1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(std::tuple(list->currentIndex().row(), list->selectionModel()->hasSelection(), text("lbSetPraStatus")),
              std::tuple(0, false, QString("2/2")));
    Q_EMIT list->activated(list->model()->index(0, 0));
    EXPECT_EQ(std::tuple(shown(), QFileInfo::exists(SheetStore::sheetPath(2))),
              std::tuple("1/2|ROSSI MARIO|DS|C=No lavoro|1200", false));

    // Reloading runs the suite's filter again, whatever was typed in its box.
    QLineEdit* filter = child<QLineEdit>("TxtSql");
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("where contatore=3"));
    click("cmdComandi_6");
    EXPECT_EQ(std::tuple(filter->text(), shown()), std::tuple(QString("where [tipo mandato]='NRV' order by contatore"),
                                                              QString("1/2|ROSSI MARIO|DS|C=No lavoro|1200")));

    // A sheet beyond any real one is not read, so never saved over.
    const QString unreadable = SheetStore::sheetPath(2);
    writeSparse(unreadable, "MotivoImpagato==C=No lavoro\r\n", 2 * 1024 * 1024);
    dialogs.clear();
    click("cmdComandi_3");
    click("cmdComandi_0");
    EXPECT_EQ(std::tuple(dialogs.messages(), QFileInfo(unreadable).size()),
              std::tuple(QStringList{SheetStore().sheetOf(2).errorText()}, 2 * 1024 * 1024));

    // The discharge codes of case 1, edited on request.
    dialogs.clear();
    QTest::mouseDClick(child<QLabel>("lblfield_0"), Qt::LeftButton); // no code: no box
    // Cancel, or an answer that differs only in letter case, changes nothing; an empty answer given with OK clears
    // the field. How an edit reaches each database is in server/ServerScenarioTest.
    const std::tuple<const char*, std::optional<QString>, QString> edits[] = {
        {"lblfield_2", std::nullopt, "EESE|<null>"}, {"lblfield_2", "eese", "EESE|<null>"},
        {"lblfield_2", "EECH", "EECH|<null>"},       {"lblfield_3", "C", "EECH|C"},
        {"lblfield_3", QString(), "EECH|<null>"},
    };
    for (const auto& [label, answer, stored] : edits) {
        dialogs.answerInput(answer);
        QTest::mouseDClick(child<QLabel>(label), Qt::LeftButton);
        const QString codes = suite.database().scalar("select codicescaricomemo || '|' || ifnull([codice scarico], "
                                                      "'<null>') from [Tabella Pratiche] where contatore=1");
        EXPECT_EQ(std::tuple(codes, text("lblfield_2") + '|' + text("lblfield_3")),
                  std::tuple(stored, QString(stored).remove("<null>")));
    }
    EXPECT_EQ(std::tuple(dialogs.messages(), dialogs.shown().first().text, child("lblDSOBBLIGATORIO")->isVisible()),
              std::tuple(QStringList{}, "Valore per campo codicescaricomemo", false));

    // Ticking "Solo Test" on the generation panel.
    click("cmdPratiche");
    click("chkSoloTest");
    // The whole part of the cases over the choices, plus one.
    QStringList boxes;
    for (const char* box : {"TxtMotivoImpagato_8", "TxtCapacitaPagareFutureRate_0", "TxtCapacitaPagareFutureRate_5",
                            "TxtRedditoCliente_4", "TxtNota_2"})
        boxes.append(child<QLineEdit>(box)->text());
    EXPECT_EQ(boxes, (QStringList{"1", "2", "1", "1000", "Nota 3"}));
    child<QLineEdit>("TxtNoteNumPra_0")->setText(QStringLiteral("9"));
    click("chkSoloTest");
    EXPECT_EQ(std::tuple(child<QAbstractButton>("chkSoloTest")->isChecked(), child("lblSoloTest")->isHidden(),
                         child<QLineEdit>("TxtNoteNumPra_0")->text()),
              std::tuple(false, true, QString("9")));

    // Test mode is shown plainly over the cases, and moving saves nothing.
    click("chkSoloTest");
    click("cmdPratiche");
    const QByteArray before = fileBytes(SheetStore::sheetPath(1));
    reason()->setEditText(QStringLiteral("A=Negligenza"));
    click("cmdComandi_0");
    EXPECT_EQ(std::tuple(child("lblSoloTest")->isVisible(), fileBytes(SheetStore::sheetPath(1))),
              std::tuple(true, before));
}

TEST_F(MainWindowTest, ControllaDatiStopsOnTheFirstIncompleteCaseAndOnceMendedEsportaWritesTheFlow)
{
    QStringList incomplete = SuiteFixture::completeSheet();
    incomplete.removeAt(1); // SituazioneFamiliare
    suite.writeSheet(1, incomplete);
    open();
    QItemSelectionModel* marks = child<QListView>("List1")->selectionModel();
    const auto check = [&] {
        dialogs.clear();
        click("cmdComandi_5");
        return std::tuple(dialogs.messages(), position(), child("CmdEsporta")->isEnabled(), marks->isRowSelected(0, {}),
                          marks->isRowSelected(1, {}));
    };
    EXPECT_EQ(check(), std::tuple(QStringList{"Manca SituazioneFamiliare"}, QString("1/2"), false, false, false));
    EXPECT_EQ(QApplication::focusWidget(), child("cboSituazioneFamiliare"));

    child<QComboBox>("cboSituazioneFamiliare")->setEditText(QStringLiteral("A=Single"));
    click("cmdComandi_2");
    click("cmdComandi_0");
    // The check passed and came back to the case it started from, and the list with it.
    EXPECT_EQ(check(), std::tuple(QStringList{"I dati sembrano OK"}, QString("1/2"), true, true, true));
    // Reloading does not disable "Esporta" again; the flow's name and progressive are the export's own tests.
    click("cmdComandi_6");
    dialogs.clear();
    click("CmdEsporta");
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_00001_2011-06-10.XML");
    EXPECT_EQ(std::tuple(dialogs.messages(), text("lblStatus"), child("CmdEsporta")->isEnabled()),
              std::tuple(QStringList{"File " + flow + " generato"}, QString("2/2"), true));
}

namespace {

/// The generation started from the main window: the panel's boxes and options go into the run, and the window
/// shows it with "Interrompi", the status line, the progress bar, the list and the tooltips that count the values.
class MainWindowGenerationTest : public MainWindowFixture,
                                 public ::testing::WithParamInterface<GenerationScenarios::Scenario> {
protected:
    MainWindowGenerationTest() : MainWindowFixture(GenerationScenarios::draws())
    {
        GenerationScenarios::prepare(suite, GetParam());
        suite.useFilter(QStringLiteral("order by contatore"));
    }
};

} // namespace

TEST_P(MainWindowGenerationTest, GivesTheRecordedRun)
{
    const GenerationScenarios::Scenario& scenario = GetParam();
    ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
    click("cmdPratiche");
    // Answering no runs nothing: the record would show the sheets a run saves, and its counts.
    dialogs.answerQuestion(Dialogs::Answer::No);
    click("Command2");
    dialogs.clear();
    for (const auto& [option, word] :
         {std::pair{"chkSoloTest", "test"}, std::pair{"chkLeggiDaCodiceScarico_0", "codice"},
          std::pair{"chkOverwrite", "sovrascrivi"}}) {
        if (scenario.options.contains(word))
            click(option);
    }
    const QList<std::pair<QString, QStringList>> texts = GenerationScenarios::boxTexts(scenario);
    for (const auto& [array, boxTexts] : texts) {
        for (qsizetype i = 0; i < boxTexts.size(); ++i)
            child<QLineEdit>(array + "_" + QString::number(i))->setText(boxTexts.at(i));
    }
    QStringList usedUp;
    int pumps = 0;
    QString lastStatus;
    window.setEventPump([&] {
        EXPECT_TRUE(child("Command1")->isVisible());
        const QString status = text("lblStatus");
        if (status != lastStatus && status.startsWith(QStringLiteral("Quote esaurite in \""))) {
            usedUp.append(status.section('"', 1, 1));
            // The bar and the editor show the case that waits.
            EXPECT_TRUE(child<QProgressBar>("progress")->text().contains(text("lblfield_1") + ' '));
        }
        lastStatus = status;
        if (++pumps == scenario.stopAtPump)
            click("Command1");
    });
    // A message that names a case comes while the window shows that case, where the run ends.
    QString shownAtStop;
    dialogs.onShown([&](const ScriptedDialogs::Shown& shown) {
        if (shown.text.startsWith(QStringLiteral("Manca")))
            shownAtStop = position();
    });
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    click("Command2");
    if (!shownAtStop.isEmpty()) {
        EXPECT_EQ(shownAtStop, position());
    }

    GenerationQuotas counts;
    for (int array = 0; array < QuotaArrayCount; ++array) {
        for (int i = 0; i < GenerationQuotas::boxCount(QuotaArray(array)); ++i)
            counts[QuotaArray(array)].append(
                {{}, child(texts.at(array).first + "_" + QString::number(i))->toolTip().toLongLong()});
    }
    GenerationScenarios::expectRecorded(scenario, dialogs, usedUp, position(), counts, suite);
    EXPECT_EQ(std::tuple(child("Command1")->isVisible(), child("progress")->isVisible(), text("lblStatus")),
              std::tuple(false, false, QString("Pratiche da esportare:12")));
}

// Every option read from the panel, a run that stops on a case, and a run that waits on a used-up quota until
// "Interrompi" is pressed; the core gives every recorded run.
INSTANTIATE_TEST_SUITE_P(Scenarios, MainWindowGenerationTest,
                         ::testing::Values(GenerationScenarios::all().at(5), GenerationScenarios::all().at(6),
                                           GenerationScenarios::all().at(10)),
                         [](const auto& info) { return std::string(info.param.name); });
