#include "ds/SheetStore.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include "support/OsFaults.h"
#include "support/SuiteFixture.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

namespace {

/// The sheet folder turns read-only after the window opened on it (it checks the folder when it opens).
class SheetFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EENP")});
        suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET posizione='NRV' || contatore")});
        suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=order by contatore")});
        suite.writeSheet(1, {QStringLiteral("MotivoImpagato==H=fallimento"), QStringLiteral("Note==scritta a mano")});
        ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
    }
    void click(const char* name)
    {
        QTest::mouseClick(window.findChild<QAbstractButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QString position() const { return window.findChild<QLabel*>(QStringLiteral("lbSetPraStatus"))->text(); }
    QString folder() const { return QFileInfo(SheetStore::sheetPath(1)).absolutePath(); }
    /// With the sheet folder read-only, `button` fails to save case 1's sheet: the first message names the file and
    /// the system's reason, the others are `after`; the window stays on case 1 and the folder as it was.
    void expectSaveRefused(const char* button, const QStringList& after)
    {
        const QStringList before = filesOf(folder());
        ReadOnlyPlace readOnly(folder());
        SKIP_WITHOUT(readOnly);
        click(button);
        const QString cause =
            geteuid() == 0 ? QStringLiteral("Read-only file system") : QStringLiteral("Permission denied");
        const QStringList said = dialogs.messages();
        EXPECT_TRUE(!said.isEmpty() && said.first().contains(SheetStore::sheetPath(1)) && said.first().contains(cause))
            << said.join(QStringLiteral(" | ")).toStdString();
        EXPECT_EQ(said.mid(1), after);
        EXPECT_EQ(position(), QStringLiteral("1/2"));
        EXPECT_EQ(filesOf(folder()), before);
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random{{0.3, 0.62, 0.1, 0.85, 0.45, 0.7, 0.05}};
    ScriptedDialogs dialogs;
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML window{module, dialogs, clock, random};
};

} // namespace

TEST_F(SheetFaultTest, TheEditorKeepsTheCaseWhoseSheetCannotBeSaved)
{
    click("cmdComandi_0");                 // "<<" shows case 1 and its sheet
    expectSaveRefused("cmdComandi_2", {}); // ">" saves it first
}

TEST_F(SheetFaultTest, AGenerationRunStopsOnTheSheetItCannotSave)
{
    click("cmdPratiche");
    click("chkSoloTest");
    click("chkSoloTest");
    click("chkOverwrite");
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    expectSaveRefused("Command2", {QStringLiteral("Diagnosis Sheet della pratica 1 non salvata"),
                                   QStringLiteral("La generazione termina")});
}
