#include "support/FlowFixture.h"

#include "flow/FlowExport.h"
#include "foundation/SuitePaths.h"

#include "support/OsFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QUrl>

namespace {

class FlowExportTest : public FlowFixture {
protected:
    void SetUp() override
    {
        // The desktop is made by the export when it is missing.
        QDir(suite.home().desktop()).removeRecursively();
        addCase(1);
    }
    QString flowName() { return QFileInfo(flowPath()).fileName(); }
};

} // namespace

TEST_F(FlowExportTest, TheSmallSuiteGivesTheHandCheckedFlowAndTheNextProgressive)
{
    clearCases();
    suite.loadSmallSuite();
    const Result<QString> written = exportFlow();
    EXPECT_EQ(written.value_or(QString()), flowPath()) << written.errorText().toStdString();
    expectSameBytes(fileBytes(flowPath()), fileBytes(testData(QStringLiteral("flow/small_suite/expected.XML"))),
                    QStringLiteral("the small suite's flow"));
    // The three questions and the one message, nothing more.
    EXPECT_EQ(dialogs.shown().size(), 4);
    EXPECT_EQ(outcome(), (QStringList{"File " + flowPath() + " generato", flowName(), "00043"}));
    EXPECT_EQ(progress, (QStringList{"0/5", "1/5", "2/5", "3/5", "4/5", "5/5"}));
    EXPECT_EQ(pumped, 5);
    EXPECT_TRUE(pratiche.eof());
}

TEST_F(FlowExportTest, TheAnswersNameTheFileAndTheSavedProgressiveCancelAndRefusalsWriteNothing)
{
    const auto refused = [](const char* shown, const QString& prompt) {
        return QStringLiteral("La risposta \"%1\" a \"%2\" non è valida: il nome del file e IDNrvXML.ini non possono "
                              "contenere / o \\, a capo o caratteri di controllo. Il flusso non è stato generato.")
            .arg(QString::fromUtf8(shown), prompt);
    };
    const QString idEE = FlowExport::PromptIdEE, sede = FlowExport::PromptIdSede,
                  prog = QStringLiteral("Progressivo Invio");
    const QString cancelled = QStringLiteral("Esportazione annullata: nessun flusso è stato generato.");
    const QString beyond = QStringLiteral(
        "Il file Z:\\work\\kv32\\dati\\IDNrvXML.ini contiene LastID=99999999999, un numero fuori dall'intervallo dei "
        "progressivi (da -2147483648 a 2147483647): non si propone alcun progressivo.\nIndicare il progressivo di "
        "questo invio.");
    const std::optional<QString> cancel;
    // Rows: the last number before (none: no IDNrvXML.ini), the answers (none: the proposed values), the messages
    // before "File ... generato", the flow written (its name but the day) and the last number after.
    const std::tuple<QString, QList<std::optional<QString>>, QString, QString, QString> rows[] = {
        {{}, {}, {}, "0008_06_00001", "00001"},
        // The number may go backwards, and be no number: then 1 is proposed the next time.
        {"00042", {"0008", "06", "7"}, {}, "0008_06_00007", "00007"},
        {"00042", {"0008", "06", "abc"}, {}, "0008_06_abc", "abc"},
        {"abc", {}, {}, "0008_06_00001", "00001"},
        // An empty answer confirmed with OK is a value.
        {"00042", {"", "", "00043"}, {}, "__00043", "00043"},
        {"00042", {"0008", "06", ""}, {}, "0008_06_", ""},
        {"00042", {cancel}, cancelled, {}, "00042"},
        {"00042", {"1", cancel}, cancelled, {}, "00042"},
        {"00042", {"1", "1", cancel}, cancelled, {}, "00042"},
        // A separator would send the flow to another folder, a line break would add a line to IDNrvXML.ini.
        {"00042", {"../0008"}, refused("../0008", idEE), {}, "00042"},
        {"00042", {"1", "0\\6"}, refused("0\\6", sede), {}, "00042"},
        {"00042", {"1", "1", "43\r\nLastID=1"}, refused("43\\r\\nLastID=1", prog), {}, "00042"},
        {"00042", {"1", "1", "43\t"}, refused("43\\t", prog), {}, "00042"},
        {"00042", {"00\u202808"}, refused("00\\u202808", idEE), {}, "00042"},
        {"00042", {"1", "06\x1b"}, refused("06\\x1B", sede), {}, "00042"},
        // A last number beyond the counter proposes nothing: with nothing typed, as in a batch run, no flow.
        {"99999999999",
         {},
         beyond + "|Nessun progressivo indicato: nessun flusso è stato generato.",
         {},
         "99999999999"},
        {"99999999999", {"0008", "06", "44"}, beyond + "|", "0008_06_00044", "00044"},
    };
    for (const auto& [before, answers, said, flow, after] : rows) {
        SCOPED_TRACE((flow + said).toStdString());
        dialogs.clear();
        QDir(suite.home().desktop()).removeRecursively();
        writeBytes(lastIdPath(), "[Norvanta]\r\nLastID=" + before.toUtf8() + "\r\n");
        if (before.isNull())
            QFile::remove(lastIdPath());
        for (const std::optional<QString>& typed : answers)
            dialogs.answerInput(typed);
        const QString file = flow.isNull() ? QString() : flow + QStringLiteral("_2011-06-14.XML");
        EXPECT_EQ(bool(exportFlow()), !flow.isNull());
        EXPECT_EQ(outcome(),
                  (QStringList{file.isNull() ? said : said + "File " + desktopFile(file) + " generato", file, after}));
    }
}

TEST_F(FlowExportTest, AProgressiveNotSavedIsAFailureThatGivesTheNextNumber)
{
    QFile::setPermissions(lastIdPath(), QFileDevice::ReadOwner);
    const Result<QString> written = exportFlow();
    EXPECT_EQ(dialogs.shown().last().icon, Dialogs::Icon::Critical);
    EXPECT_EQ(written.errorText(),
              QStringLiteral("Il progressivo 00043 NON è stato salvato. Impossibile scrivere il file %1: il file è "
                             "di sola lettura\nAlla prossima esportazione il numero proposto sarà sbagliato: come "
                             "\"Progressivo Invio\" va indicato 44.")
                  .arg(lastIdPath()));
    EXPECT_EQ(outcome(), (QStringList{"File " + flowPath() + " generato|" + written.errorText(), flowName(), "00042"}));
}

TEST_F(FlowExportTest, ALinkAtTheFlowsNameIsReplacedAndItsTargetKept)
{
    const QString target = suite.home().folder().write(QStringLiteral("altrove/registro.txt"), "not a flow");
    QDir().mkpath(suite.home().desktop());
    ASSERT_TRUE(QFile::link(target, flowPath()));
    ASSERT_TRUE(exportFlow());
    EXPECT_FALSE(QFileInfo(flowPath()).isSymLink());
    EXPECT_EQ(fileBytes(target), QByteArray("not a flow"));
}

TEST_F(FlowExportTest, AnExportUnderWayElsewhereHoldsTheNumberUntilItsProcessEnds)
{
    const QString lock = suite.local(SuitePaths::idNrvXmlLock());
    const auto otherWorkstation = [&lock](QProcess& process) {
        process.start(QStringLiteral(LOCK_HOLDER), {lock, QStringLiteral("mario"), QStringLiteral("ws-12")});
        EXPECT_TRUE(process.waitForReadyRead(10000));
        return process.readAll();
    };
    // While this export asks for the progressive, another workstation cannot take the number.
    dialogs.onShown([&](const ScriptedDialogs::Shown& shown) {
        QProcess refused;
        if (shown.text == FlowExport::PromptProgressivo) {
            EXPECT_EQ(otherWorkstation(refused), QByteArray("non preso\n"));
            EXPECT_TRUE(refused.waitForFinished());
        }
    });
    ASSERT_TRUE(exportFlow());
    dialogs.onShown({});
    EXPECT_FALSE(QFile::exists(lock));

    QProcess other;
    ASSERT_EQ(otherWorkstation(other), QByteArray("preso\n"));
    dialogs.clear();
    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(outcome(),
              (QStringList{"Un'esportazione è già in corso: la sta facendo l'utente mario sul computer ws-12 "
                           "(dal 14/06/2011 09:15:00). Il flusso non è stato generato: riprovare quando "
                           "quell'esportazione è finita.",
                           flowName(), "00043"}));

    // Killed, the other export leaves its lock file behind, and the next export takes it over; so does an export
    // that finds a lock left by a program of this computer that died, by another workstation's, or cut short.
    other.kill();
    other.waitForFinished();
    const QByteArray left[] = {{},
                               "Utente=mario\r\nComputer=" + QSysInfo::machineHostName().toUtf8() +
                                   "\r\nProcesso=999999999\r\nDal=14/06/2011 09:15:00\r\n",
                               "Utente=mario\r\nComputer=ws-12\r\nProcesso=4242\r\nDal=13/06/2011 18:00:00\r\n",
                               ""};
    for (const QByteArray& bytes : left) {
        if (!bytes.isNull())
            writeBytes(lock, bytes);
        ASSERT_TRUE(QFile::exists(lock));
        EXPECT_TRUE(exportFlow());
        EXPECT_FALSE(QFile::exists(lock));
    }
    EXPECT_EQ(outcome().last(), QStringLiteral("00047"));
}

TEST_F(FlowExportTest, TheTestVariantIsOfferedOnItsDayOnlyAndNamesTheSchema)
{
    // A case without a consignment reference names the Affidamento "Null".
    clearCases();
    addCase(1, {{"altroriferimento", QVariant()}});
    const QString variant = QStringLiteral(" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                           "xsi:noNamespaceSchemaLocation=\"%1\">")
                                .arg(QUrl::fromLocalFile(desktopFile(QStringLiteral("SCARICO_SCHEMA.xsd"))).toString());
    // Rows: the moment, the answer to "Per test ?" (none: not asked; No is the default) and the root element's end.
    const std::tuple<QTime, int, std::optional<Dialogs::Answer>, QString> rows[] = {
        {QTime(23, 59, 59), 14, Dialogs::Answer::Yes, variant},
        {QTime(0, 0, 0), 14, Dialogs::Answer::No, ">"},
        {QTime(0, 0, 0), 15, std::nullopt, ">"}};
    for (const auto& [time, day, test, end] : rows) {
        dialogs.clear();
        clock.set(QDateTime(QDate(2010, 4, day), time));
        if (test == Dialogs::Answer::Yes)
            dialogs.answerQuestion(*test);
        const QByteArray flow = fileBytes(exportFlow().value_or(QString()));
        EXPECT_EQ(dialogs.shown().first().text, test ? QStringLiteral("Per test ?") : FlowExport::PromptIdEE);
        EXPECT_EQ(dialogs.shown().first().icon, test ? Dialogs::Icon::Critical : Dialogs::Icon::None);
        EXPECT_EQ(lines(flow, QStringLiteral("<Flusso ")).value(0).section(QStringLiteral("IdEE=\"0008\""), 1), end);
        EXPECT_EQ(attributes(flow, QStringLiteral("IdAffidamento")), QStringList{"Null"});
    }
}

TEST_F(FlowExportTest, AStopLeavesNoFileAndTheProgressiveAsTheyWere)
{
    addCase(2, {{"codicescaricomemo", "EESE"}});
    addCase(3);
    // An amount that the currency cannot hold would wrap round into another one.
    addPayment(5, 3, {{"totale", 922337203685478LL}});
    const QStringList before = placeEarlierFlow();
    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Manca DiagnosisSheet alla pratica ROSSI MARIO P2"),
                                               QStringLiteral("La procedura di esportazione termina")}));
    EXPECT_EQ(dialogs.shown().last().icon, Dialogs::Icon::None);
    EXPECT_EQ(pratiche.absolutePosition(), 2);
    expectNothingWritten(before);

    suite.writeSheet(2, SuiteFixture::completeSheet());
    dialogs.clear();
    const Result<QString> written = exportFlow();
    EXPECT_EQ(dialogs.messages(), QStringList{written.errorText()});
    EXPECT_TRUE(
        written.errorText().startsWith(QStringLiteral("Pratica P3 (ROSSI MARIO, contatore 3): pagamento ID 5")) &&
        written.errorText().endsWith(QStringLiteral("\nLa procedura di esportazione termina: il file %1 non "
                                                    "è stato generato.")
                                         .arg(flowPath())))
        << written.errorText().toStdString();
    expectNothingWritten(before);

    // An empty list asks nothing.
    clearCases();
    dialogs.clear();
    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Nessuna pratica da esportare: il flusso non è stato generato.")});
    EXPECT_EQ(dialogs.shown().size(), 1);
    expectNothingWritten(before);
}
