#include "ds/SheetStore.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include "support/OsFaults.h"
#include "support/SuiteFixture.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

/// The sheet folder turns read-only after the window opened on it (it checks the folder when it opens).
class SheetFaultTest : public ::testing::Test {
protected:
    SheetFaultTest()
    {
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EENP")});
        suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET posizione='NRV' || contatore")});
        suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=order by contatore")});
        suite.home().folder().write(
            QStringLiteral("drives/Z/work/kv32/dati/ds/1.txt"),
            suiteText({QStringLiteral("MotivoImpagato==H=fallimento"), QStringLiteral("Note==scritta a mano")}));
    }
    void load() { ASSERT_TRUE(window.Form_Load(QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt"))); }
    void click(const char* name)
    {
        QTest::mouseClick(window.findChild<QAbstractButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    QString position() const { return window.findChild<QLabel*>(QStringLiteral("lbSetPraStatus"))->text(); }
    QString folder() const { return QFileInfo(SheetStore::sheetPath(1)).absolutePath(); }
    /// The one file message names the sheet of case 1 and the system's reason.
    void expectSheetOneNamed()
    {
        ASSERT_FALSE(dialogs.messages().isEmpty());
        const QString message = dialogs.messages().first();
        EXPECT_TRUE(message.contains(SheetStore::sheetPath(1))) << message.toStdString();
        EXPECT_TRUE(message.contains(geteuid() == 0 ? QStringLiteral("Read-only file system")
                                                    : QStringLiteral("Permission denied")))
            << message.toStdString();
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
    load();
    click("cmdComandi_0"); // "<<" shows case 1 and its sheet
    const QStringList before = filesOf(folder());
    ReadOnlyPlace readOnly(folder());
    SKIP_WITHOUT(readOnly);
    click("cmdComandi_2"); // ">" saves it first
    ASSERT_EQ(dialogs.messages().size(), 1) << dialogs.messages().join(QStringLiteral(" | ")).toStdString();
    expectSheetOneNamed();
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_EQ(filesOf(folder()), before);
}

TEST_F(SheetFaultTest, AGenerationRunStopsOnTheSheetItCannotSave)
{
    load();
    click("cmdPratiche");
    click("chkSoloTest");
    click("chkSoloTest");
    click("chkOverwrite");
    const QStringList before = filesOf(folder());
    ReadOnlyPlace readOnly(folder());
    SKIP_WITHOUT(readOnly);
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    click("Command2");
    ASSERT_EQ(dialogs.messages().size(), 3) << dialogs.messages().join(QStringLiteral(" | ")).toStdString();
    expectSheetOneNamed();
    EXPECT_EQ(dialogs.messages().mid(1), (QStringList{QStringLiteral("Diagnosis Sheet della pratica 1 non salvata"),
                                                      QStringLiteral("La generazione termina")}));
    EXPECT_EQ(position(), QStringLiteral("1/2"));
    EXPECT_EQ(filesOf(folder()), before);
}
