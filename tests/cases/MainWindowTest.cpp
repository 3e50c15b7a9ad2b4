#include "cases/MainWindowFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QListView>
#include <QPlainTextEdit>

namespace {

class MainWindowTest : public MainWindowFixture {
protected:
    MainWindowTest() : MainWindowFixture({0.5})
    {
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EECH"),
                        QStringLiteral("3|VERDI LUCA|ALT|EESE")});
        suite.useFilter(QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    }

    QString position() { return child<QLabel>("lbSetPraStatus")->text(); }
    /// The list's current line, as the position label writes it.
    QString currentLine()
    {
        const QListView* list = child<QListView>("List1");
        return QStringLiteral("%1/%2").arg(list->currentIndex().row() + 1).arg(list->model()->rowCount());
    }
    QString shownName() { return child<QLabel>("lblfield_0")->text(); }
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
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::UserRole).toInt(), 2);
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("BIANCHI ANNA - pratica 2"));
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Pratiche da esportare:2"));
    EXPECT_FALSE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("Command1")->isVisible());

    click("cmdPratiche");
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isVisible());
    EXPECT_FALSE(child<QGroupBox>("FramePratiche")->isVisible());
    click("cmdPratiche");
    EXPECT_TRUE(child<QGroupBox>("FramePratiche")->isVisible());

    QLineEdit* filter = child<QLineEdit>("TxtSql");
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("where contatore=3"));
    click("cmdComandi_6");
    EXPECT_EQ(filter->text(), QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    EXPECT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(position(), QStringLiteral("1/2"));
}

TEST_F(MainWindowTest, AFilterLongerThanTheBoxHoldsIsRunWhole)
{
    // The filter box holds 32767 characters; the end of a longer filter still selects.
    suite.useFilter(QStringLiteral("where [tipo mandato]='NRV'") + QString(40000, QLatin1Char(' ')) +
                    QStringLiteral("and contatore=2"));
    open();
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 1);
}

TEST_F(MainWindowTest, AFilterThatFailsEndsTheProgramWithTheDriverText)
{
    suite.useFilter(QStringLiteral("where [non esiste]=1"));
    EXPECT_FALSE(window.Form_Load(SuiteFixture::statusLine()));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("non esiste")));
}

TEST_F(MainWindowTest, TooFewFieldsShowTheListingAndAnEmptyList)
{
    ASSERT_TRUE(window.Form_Load(QStringLiteral("a|b")));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("PAR0=a\r\nPAR1=b\r\n")});
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 0);
    // With no cases loaded the case commands do nothing.
    click("cmdComandi_6");
    click("cmdComandi_2");
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, TheCommandsWalkTheCasesSavingTheSheetShownButADoubleClickDoesNot)
{
    open();
    // Loading leaves the list after its last case, so the last one is shown first; the walk stops at both ends.
    EXPECT_EQ(position(), QStringLiteral("2/2"));
    EXPECT_EQ(shownName(), QStringLiteral("BIANCHI ANNA"));
    EXPECT_FALSE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());
    EXPECT_EQ(currentLine(), QStringLiteral("2/2"));
    for (const auto& [command, expected] :
         {std::pair{"cmdComandi_2", "2/2"}, std::pair{"cmdComandi_1", "1/2"}, std::pair{"cmdComandi_1", "1/2"},
          std::pair{"cmdComandi_3", "2/2"}, std::pair{"cmdComandi_0", "1/2"}}) {
        click(command);
        EXPECT_EQ(position(), QString::fromLatin1(expected)) << command;
        EXPECT_EQ(currentLine(), QString::fromLatin1(expected)) << command;
    }
    EXPECT_EQ(shownName(), QStringLiteral("ROSSI MARIO"));
    EXPECT_TRUE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());

    reason()->setEditText(QStringLiteral("C=No lavoro"));
    child<QLineEdit>("Scheda_4")->setText(QStringLiteral("1200"));
    click("cmdComandi_2");
    EXPECT_EQ(saved(1, QStringLiteral("MotivoImpagato")), QStringLiteral("C=No lavoro"));
    EXPECT_EQ(saved(1, QStringLiteral("ClienteRedditoSalario")), QStringLiteral("1200"));
    EXPECT_EQ(saved(1, QStringLiteral("GaranteRedditoSalario")), QStringLiteral("0"));
    // Case 2 has no sheet: nothing of case 1 stays in the editor.
    EXPECT_EQ(reason()->currentText(), QString());
    EXPECT_EQ(child<QLineEdit>("Scheda_4")->text(), QString());

    reason()->setEditText(QStringLiteral("A=Negligenza"));
    QListView* list = child<QListView>("List1");
    // A click points at a line and selects nothing; Enter opens it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(currentLine(), QStringLiteral("1/2"));
    EXPECT_FALSE(list->selectionModel()->hasSelection());
    EXPECT_EQ(position(), QStringLiteral("2/2"));
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
    const struct {
        QWidget* focus;
        Qt::Key key;
        const char* expected;
    } presses[] = {
        {salary, Qt::Key_Home, "1/2"},
        {reason(), Qt::Key_End, "2/2"},
        {child<QLineEdit>("Scheda_10"), Qt::Key_PageUp, "1/2"},
        {child<QComboBox>("cboCapacitaPagareFutureScadenze"), Qt::Key_PageDown, "2/2"},
        {child<QPlainTextEdit>("Scheda_0"), Qt::Key_Home, "1/2"},
        {child<QListView>("List1"), Qt::Key_End, "2/2"},
    };
    for (const auto& press : presses) {
        press.focus->setFocus();
        ASSERT_TRUE(press.focus->hasFocus()) << press.focus->objectName().toStdString();
        QTest::keyClick(press.focus, press.key, Qt::ControlModifier);
        EXPECT_EQ(position(), QString::fromLatin1(press.expected)) << press.focus->objectName().toStdString();
        EXPECT_EQ(currentLine(), QString::fromLatin1(press.expected));
    }
    // The keys still reach the box when they are not the panel's.
    salary->setText(QStringLiteral("1200"));
    salary->setFocus();
    QTest::keyClick(salary, Qt::Key_Home);
    EXPECT_EQ(salary->cursorPosition(), 0);
}

TEST_F(MainWindowTest, ASheetThatCannotBeSavedKeepsTheWindowOnItsCase)
{
    open();
    click("cmdComandi_0");
    reason()->setEditText(QStringLiteral("C=No lavoro"));
    QDir(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds"))).removeRecursively();
    click("cmdComandi_2");
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("1.txt")));
    EXPECT_EQ(reason()->currentText(), QStringLiteral("C=No lavoro"));
}

TEST_F(MainWindowTest, ASheetThatCannotBeReadIsNotSavedOver)
{
    // The last case is shown first: its sheet is beyond any real one and is not read.
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
    // Cancel changes nothing; an empty answer given with OK clears the field.
    EXPECT_EQ(edit("lblfield_2", std::nullopt), QStringLiteral("EESE|<null>"));
    EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Valore per campo codicescaricomemo"));
    EXPECT_EQ(edit("lblfield_2", QStringLiteral("eese")), QStringLiteral("EESE|<null>"));
    EXPECT_EQ(edit("lblfield_2", QStringLiteral("EECH")), QStringLiteral("EECH|<null>"));
    EXPECT_EQ(child<QLabel>("lblfield_2")->text(), QStringLiteral("EECH"));
    EXPECT_FALSE(child<QLabel>("lblDSOBBLIGATORIO")->isVisible());
    EXPECT_EQ(edit("lblfield_3", QStringLiteral("C")), QStringLiteral("EECH|C"));
    EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Valore per campo codice scarico"));
    EXPECT_EQ(edit("lblfield_3", QString()), QStringLiteral("EECH|<null>"));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(MainWindowTest, ControllaDatiStopsOnTheFirstIncompleteCaseAndOnceMendedEsportaWritesTheFlow)
{
    open();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca Diagnosis Sheet")});
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_FALSE(child<QPushButton>("CmdEsporta")->isEnabled());
    QListView* list = child<QListView>("List1");
    EXPECT_EQ(list->currentIndex().row(), 0);
    EXPECT_FALSE(list->selectionModel()->isRowSelected(0, QModelIndex()));

    reason()->setEditText(QStringLiteral("C=No lavoro"));
    click("cmdComandi_2"); // saves case 1 with only its reason
    dialogs.clear();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca SituazioneFamiliare")});
    EXPECT_EQ(QApplication::focusWidget(), child<QComboBox>("cboSituazioneFamiliare"));

    for (const auto& [combo, text] :
         {std::pair{"cboSituazioneFamiliare", "A=Single"}, std::pair{"cboAbitazione", "B=Locazione"},
          std::pair{"cboTipologiaContratto", "F=altro"}, std::pair{"cboCapacitaPagareFutureScadenze", "S"}})
        child<QComboBox>(combo)->setEditText(QString::fromUtf8(text));
    click("cmdComandi_2");
    click("cmdComandi_0");
    dialogs.clear();
    click("cmdComandi_5");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("I dati sembrano OK")});
    EXPECT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, QModelIndex()));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(1, QModelIndex()));
    // The check passed, came back to the case it started from, and the list with it.
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_EQ(currentLine(), QStringLiteral("1/2"));
    // Reloading does not disable "Esporta" again; it writes the flow on the desktop and remembers its number.
    click("cmdComandi_6");
    ASSERT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    dialogs.clear();
    click("CmdEsporta");
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_00001_2011-06-10.XML");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("File ") + flow + QStringLiteral(" generato")});
    EXPECT_TRUE(QFileInfo(flow).isFile());
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("2/2"));
    EXPECT_TRUE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_EQ(suite.bytesAt(QStringLiteral("Z:\\work\\kv32\\dati\\IDNrvXML.ini")),
              QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
}

TEST_F(MainWindowTest, TickingSoloTestPresetsTheQuotasFromTheNumberOfCases)
{
    open();
    click("cmdPratiche");
    const auto text = [this](const char* name) {
        return child<QLineEdit>(name)->text();
    };
    click("chkSoloTest");
    // The whole part of the cases over the choices, plus one.
    EXPECT_EQ(text("TxtMotivoImpagato_8"), QStringLiteral("1"));
    EXPECT_EQ(text("TxtCapacitaPagareFutureRate_0"), QStringLiteral("2"));
    EXPECT_EQ(text("TxtCapacitaPagareFutureRate_5"), QStringLiteral("1"));
    EXPECT_EQ(text("TxtRedditoCliente_4"), QStringLiteral("1000"));
    EXPECT_EQ(text("TxtNota_2"), QStringLiteral("Nota 3"));
    child<QLineEdit>("TxtNoteNumPra_0")->setText(QStringLiteral("9"));
    click("chkSoloTest");
    EXPECT_FALSE(child<QCheckBox>("chkSoloTest")->isChecked());
    EXPECT_EQ(text("TxtNoteNumPra_0"), QStringLiteral("9"));

    // In test mode moving saves nothing.
    click("chkSoloTest");
    click("cmdPratiche");
    reason()->setEditText(QStringLiteral("C=No lavoro"));
    click("cmdComandi_0");
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(2)));
}
