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
    ASSERT_TRUE(written) << written.errorText().toStdString();
    EXPECT_EQ(*written, flowPath());
    EXPECT_EQ(desktopFiles(), QStringList{flowName()});
    expectSameBytes(fileBytes(flowPath()), fileBytes(testData(QStringLiteral("flow/small_suite/expected.XML"))),
                    QStringLiteral("the small suite's flow"));
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=00043\r\n"));
    QStringList asked;
    for (const ScriptedDialogs::Shown& shown : dialogs.shown())
        asked.append(shown.text);
    EXPECT_EQ(asked, (QStringList{FlowExport::PromptIdEE, FlowExport::PromptIdSede, FlowExport::PromptProgressivo,
                                  QStringLiteral("File ") + flowPath() + QStringLiteral(" generato")}));
    EXPECT_EQ(progress, (QStringList{"0/5", "1/5", "2/5", "3/5", "4/5", "5/5"}));
    EXPECT_EQ(pumped, 5);
    EXPECT_TRUE(pratiche.eof());
}

TEST_F(FlowExportTest, TheAnswersNameTheFileAndTheSavedProgressiveCancelAndRefusalsWriteNothing)
{
    const auto refused = [](const char* shown, const char* prompt) {
        return QStringLiteral("La risposta \"%1\" a \"%2\" non è valida: il nome del file e IDNrvXML.ini non possono "
                              "contenere / o \\, a capo o caratteri di controllo. Il flusso non è stato generato.")
            .arg(QString::fromUtf8(shown), QString::fromUtf8(prompt));
    };
    const QString cancelled = QStringLiteral("Esportazione annullata: nessun flusso è stato generato.");
    const QString beyond = QStringLiteral(
        "Il file Z:\\work\\kv32\\dati\\IDNrvXML.ini contiene LastID=99999999999, un numero fuori dall'intervallo dei "
        "progressivi (da -2147483648 a 2147483647): non si propone alcun progressivo.\nIndicare il progressivo di "
        "questo invio.");
    const std::optional<QString> cancel;
    // Rows: IDNrvXML.ini before (none: no file), the answers (none: the proposed values), the messages but the
    // "generated" one, the file written on the desktop and the last progressive after.
    struct Row {
        QByteArray before;
        QList<std::optional<QString>> answers;
        QString said;
        QString file;
        QString lastId;
    };
    const QByteArray wrong = "[Norvanta]\r\nLastID=abc\r\n", huge = "[Norvanta]\r\nLastID=99999999999\r\n";
    const Row rows[] = {
        {{}, {}, {}, "0008_06_00001_2011-06-14.XML", "00001"},
        // The number may go backwards, and be no number: then 1 is proposed the next time.
        {LastId42, {"0008", "06", "7"}, {}, "0008_06_00007_2011-06-14.XML", "00007"},
        {LastId42, {"0008", "06", "abc"}, {}, "0008_06_abc_2011-06-14.XML", "abc"},
        {wrong, {}, {}, "0008_06_00001_2011-06-14.XML", "00001"},
        // An empty answer confirmed with OK is a value.
        {LastId42, {"", "", "00043"}, {}, "__00043_2011-06-14.XML", "00043"},
        {LastId42, {"0008", "06", ""}, {}, "0008_06__2011-06-14.XML", ""},
        {LastId42, {cancel}, cancelled, {}, "00042"},
        {LastId42, {"1", cancel}, cancelled, {}, "00042"},
        {LastId42, {"1", "1", cancel}, cancelled, {}, "00042"},
        // A separator would send the flow to another folder, a line break would add a line to IDNrvXML.ini.
        {LastId42, {"../0008"}, refused("../0008", "Identificativo E/E"), {}, "00042"},
        {LastId42, {"1", "0\\6"}, refused("0\\6", "Identificativo Sede E/E"), {}, "00042"},
        {LastId42, {"1", "1", "43\r\nLastID=1"}, refused("43\\r\\nLastID=1", "Progressivo Invio"), {}, "00042"},
        {LastId42, {"1", "1", "43\t"}, refused("43\\t", "Progressivo Invio"), {}, "00042"},
        {LastId42, {"00\u202808"}, refused("00\\u202808", "Identificativo E/E"), {}, "00042"},
        {LastId42, {"1", "06\x1b"}, refused("06\\x1B", "Identificativo Sede E/E"), {}, "00042"},
        // A last number beyond the counter proposes nothing: with nothing typed, as in a batch run, no flow.
        {huge, {}, beyond + "|Nessun progressivo indicato: nessun flusso è stato generato.", {}, "99999999999"},
        {huge, {"0008", "06", "44"}, beyond, "0008_06_00044_2011-06-14.XML", "00044"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE((row.file + row.said).toStdString());
        dialogs.clear();
        QDir(suite.home().desktop()).removeRecursively();
        QFile::remove(lastIdPath());
        if (!row.before.isNull())
            writeBytes(lastIdPath(), row.before);
        for (const std::optional<QString>& typed : row.answers)
            dialogs.answerInput(typed);
        EXPECT_EQ(bool(exportFlow()), !row.file.isEmpty());
        QStringList said = row.said.isEmpty() ? QStringList() : QStringList{row.said};
        if (!row.file.isEmpty())
            said.append(QStringLiteral("File %1 generato").arg(desktopFile(row.file)));
        EXPECT_EQ(QStringList({dialogs.messages().join(QLatin1Char('|')), desktopFiles().join(QLatin1Char('|')),
                               QString::fromUtf8(lastId())}),
                  QStringList({said.join(QLatin1Char('|')), row.file, "[Norvanta]\r\nLastID=" + row.lastId + "\r\n"}));
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
    EXPECT_EQ(dialogs.messages(), (QStringList{"File " + flowPath() + " generato", written.errorText()}));
    EXPECT_EQ(desktopFiles(), QStringList{flowName()});
    EXPECT_EQ(lastId(), LastId42);
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
    const QStringList before = filesOf(suite.home().desktop());
    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Un'esportazione è già in corso: la sta facendo l'utente mario sul computer "
                                         "ws-12 (dal 14/06/2011 09:15:00). Il flusso non è stato generato: riprovare "
                                         "quando quell'esportazione è finita.")});
    EXPECT_EQ(dialogs.shown().size(), 1);
    expectNothingWritten(before, "[Norvanta]\r\nLastID=00043\r\n");

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
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=00047\r\n"));
}

TEST_F(FlowExportTest, TheTestVariantIsOfferedOnItsDayOnlyAndNamesTheSchema)
{
    // A case without a consignment reference names the Affidamento "Null".
    clearCases();
    addCase(1, {{"altroriferimento", QVariant()}});
    const QString schema = QUrl::fromLocalFile(desktopFile(QStringLiteral("SCARICO_SCHEMA.xsd"))).toString();
    const QString flusso = QStringLiteral("<Flusso IdFl=\"00043\" IdSd=\"06\" DataGen=\"%1-05:00\" IdEE=\"0008\"%2>");
    const QString variant = QStringLiteral(" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                           "xsi:noNamespaceSchemaLocation=\"%1\"")
                                .arg(schema);
    // Rows: the moment, the answer to "Per test ?" (none: not asked) and the root element's end. No is the default.
    const std::tuple<QDateTime, std::optional<Dialogs::Answer>, QString> rows[] = {
        {QDateTime(QDate(2010, 4, 14), QTime(23, 59, 59)), Dialogs::Answer::Yes, variant},
        {QDateTime(QDate(2010, 4, 14), QTime(0, 0, 0)), Dialogs::Answer::No, QString()},
        {QDateTime(QDate(2010, 4, 15), QTime(0, 0, 0)), std::nullopt, QString()}};
    for (const auto& [moment, test, end] : rows) {
        dialogs.clear();
        writeBytes(lastIdPath(), LastId42);
        clock.set(moment);
        if (test == Dialogs::Answer::Yes)
            dialogs.answerQuestion(*test);
        const Result<QString> written = exportFlow();
        ASSERT_TRUE(written);
        EXPECT_EQ(dialogs.shown().first().text, test ? QStringLiteral("Per test ?") : FlowExport::PromptIdEE);
        EXPECT_EQ(dialogs.shown().first().icon, test ? Dialogs::Icon::Critical : Dialogs::Icon::None);
        EXPECT_EQ(QString::fromUtf8(fileBytes(*written)).split(QStringLiteral("\r\n")).mid(1, 2),
                  (QStringList{flusso.arg(moment.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")), end),
                               QStringLiteral("\t<Affidamento IdAffidamento=\"Null\">")}));
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
        written.errorText().startsWith(QStringLiteral("Pratica P3 (ROSSI MARIO, contatore 3): pagamento ID 5")));
    EXPECT_TRUE(written.errorText().endsWith(
        QStringLiteral("\nLa procedura di esportazione termina: il file %1 non è stato generato.").arg(flowPath())));
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
