#include "support/FlowFixture.h"

#include "flow/FlowExport.h"
#include "foundation/SuitePaths.h"

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
    /// Answers the three input boxes.
    void answer(const std::optional<QString>& idEE, const std::optional<QString>& idSede,
                const std::optional<QString>& progressivo)
    {
        dialogs.answerInput(idEE);
        dialogs.answerInput(idSede);
        dialogs.answerInput(progressivo);
    }
    QStringList desktopFiles() { return QDir(suite.home().desktop()).entryList(QDir::Files | QDir::Hidden); }
    QByteArray lastId() { return fileBytes(lastIdPath()); }
    /// No export's file on the desktop but `kept`, and the last progressive as it was.
    void expectNothingWritten(const QStringList& kept = {}, const QByteArray& lastIdBefore = LastId42)
    {
        EXPECT_EQ(desktopFiles(), kept);
        EXPECT_EQ(lastId(), lastIdBefore);
    }
};

} // namespace

TEST_F(FlowExportTest, TheSmallSuiteGivesTheHandCheckedFlowAndTheNextProgressive)
{
    clearCases();
    suite.loadSmallSuite();
    const Result<QString> written = exportFlow();
    ASSERT_TRUE(written) << written.errorText().toStdString();
    EXPECT_EQ(*written, flowPath());
    EXPECT_EQ(desktopFiles(), QStringList{QFileInfo(flowPath()).fileName()});
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

TEST_F(FlowExportTest, TheProgressiveIsProposedFormattedAndSavedAsTyped)
{
    QFile::remove(lastIdPath());
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(QFile::exists(desktopFile(QStringLiteral("0008_06_00001_2011-06-14.XML"))));
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));

    // The number may go backwards.
    for (const char* typed : {"7", "abc"}) {
        answer(QStringLiteral("0008"), QStringLiteral("06"), QString::fromLatin1(typed));
        ASSERT_TRUE(exportFlow());
    }
    EXPECT_TRUE(fileBytes(desktopFile(QStringLiteral("0008_06_00007_2011-06-14.XML"))).contains("IdFl=\"00007\""));
    EXPECT_TRUE(fileBytes(desktopFile(QStringLiteral("0008_06_abc_2011-06-14.XML"))).contains("IdFl=\"abc\""));
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=abc\r\n"));
    // A progressive that is no number proposes 1 the next time; the same answers replace the same file.
    ASSERT_TRUE(exportFlow());
    EXPECT_EQ(desktopFiles().size(), 3);
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
}

TEST_F(FlowExportTest, CancelOnAnyQuestionEndsTheExportWhileAnEmptyAnswerIsKept)
{
    // Cancel on the first, the second or the third question: nothing more is asked, nothing is written.
    for (int cancelled = 0; cancelled < 3; ++cancelled) {
        dialogs.clear();
        for (int question = 0; question < cancelled; ++question)
            dialogs.answerInput(QStringLiteral("1"));
        dialogs.answerInput(std::nullopt);
        EXPECT_FALSE(exportFlow());
        EXPECT_EQ(dialogs.shown().size(), cancelled + 2);
        EXPECT_EQ(dialogs.messages(),
                  QStringList{QStringLiteral("Esportazione annullata: nessun flusso è stato generato.")});
        expectNothingWritten();
    }

    // An empty answer confirmed with OK is a value: empty attributes and empty parts of the file name.
    answer(QString(), QString(), QStringLiteral("00043"));
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(fileBytes(desktopFile(QStringLiteral("__00043_2011-06-14.XML")))
                    .contains("<Flusso IdFl=\"00043\" IdSd=\"\" DataGen=\"2011-06-14T09:30:05-05:00\" IdEE=\"\">"));
    answer(QStringLiteral("0008"), QStringLiteral("06"), QString());
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(QFile::exists(desktopFile(QStringLiteral("0008_06__2011-06-14.XML"))));
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=\r\n"));
}

TEST_F(FlowExportTest, AnAnswerThatCannotNameTheFileIsRefusedNamingIt)
{
    // Each answer becomes part of the file name; a separator would send the flow to another folder, a line break
    // would add a line to IDNrvXML.ini. Rows: the question, the answer and the answer as the message shows it.
    const std::tuple<int, const char*, const char*> refused[] = {{0, "../0008", "../0008"},
                                                                 {1, "0\\6", "0\\6"},
                                                                 {2, "43\r\nLastID=1", "43\\r\\nLastID=1"},
                                                                 {2, "43\t", "43\\t"},
                                                                 {0, "00\u202808", "00\\u202808"},
                                                                 {1, "06\x1b", "06\\x1B"}};
    const QString prompts[] = {QStringLiteral("Identificativo E/E"), QStringLiteral("Identificativo Sede E/E"),
                               QStringLiteral("Progressivo Invio")};
    for (const auto& [question, typed, shown] : refused) {
        dialogs.clear();
        for (int before = 0; before < question; ++before)
            dialogs.answerInput(QStringLiteral("1"));
        dialogs.answerInput(QString::fromUtf8(typed));
        EXPECT_FALSE(exportFlow()) << typed;
        EXPECT_EQ(dialogs.messages(),
                  QStringList{QStringLiteral("La risposta \"%1\" a \"%2\" non è valida: il nome del file e "
                                             "IDNrvXML.ini non possono contenere / o \\, a capo o caratteri di "
                                             "controllo. Il flusso non è stato generato.")
                                  .arg(QString::fromUtf8(shown), prompts[question])});
    }
    expectNothingWritten();
}

TEST_F(FlowExportTest, ALastIdBeyondTheCounterProposesNothingAndSaysSo)
{
    const QByteArray beyond = "[Norvanta]\r\nLastID=99999999999\r\n";
    writeBytes(lastIdPath(), beyond);
    const QString said = QStringLiteral("Il file Z:\\work\\kv32\\dati\\IDNrvXML.ini contiene LastID=99999999999, un "
                                        "numero fuori dall'intervallo dei progressivi (da -2147483648 a 2147483647): "
                                        "non si propone alcun progressivo.\nIndicare il progressivo di questo invio.");
    // Nothing proposed and nothing typed, as in a batch run without --progressivo: no flow.
    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(),
              (QStringList{said, QStringLiteral("Nessun progressivo indicato: nessun flusso è stato generato.")}));
    expectNothingWritten({}, beyond);

    dialogs.clear();
    answer(QStringLiteral("0008"), QStringLiteral("06"), QStringLiteral("44"));
    ASSERT_TRUE(exportFlow());
    EXPECT_EQ(dialogs.messages().first(), said);
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=00044\r\n"));
}

TEST_F(FlowExportTest, AProgressiveNotSavedIsAFailureThatGivesTheNextNumber)
{
    QFile::setPermissions(lastIdPath(), QFileDevice::ReadOwner);
    const Result<QString> written = exportFlow();
    EXPECT_FALSE(written);
    EXPECT_TRUE(QFile::exists(flowPath()));
    EXPECT_EQ(lastId(), LastId42);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().first(), QStringLiteral("File ") + flowPath() + QStringLiteral(" generato"));
    EXPECT_EQ(dialogs.shown().last().icon, Dialogs::Icon::Critical);
    EXPECT_EQ(dialogs.messages().last(),
              QStringLiteral("Il progressivo 00043 NON è stato salvato. Impossibile scrivere il file %1: il file è "
                             "di sola lettura\nAlla prossima esportazione il numero proposto sarà sbagliato: come "
                             "\"Progressivo Invio\" va indicato 44.")
                  .arg(lastIdPath()));
    EXPECT_EQ(written.errorText(), dialogs.messages().last());
}

TEST_F(FlowExportTest, ALinkAtTheFlowsNameIsReplacedAndItsTargetKept)
{
    const QString target = suite.home().folder().write(QStringLiteral("altrove/registro.txt"), "not a flow");
    QDir().mkpath(suite.home().desktop());
    ASSERT_TRUE(QFile::link(target, flowPath()));
    ASSERT_TRUE(exportFlow());
    EXPECT_FALSE(QFileInfo(flowPath()).isSymLink());
    EXPECT_TRUE(fileBytes(flowPath()).startsWith("<?xml"));
    EXPECT_EQ(fileBytes(target), QByteArray("not a flow"));
    EXPECT_EQ(desktopFiles(), QStringList{QFileInfo(flowPath()).fileName()});
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
        if (shown.text != FlowExport::PromptProgressivo)
            return;
        QProcess refused;
        EXPECT_EQ(otherWorkstation(refused), QByteArray("non preso\n"));
        EXPECT_TRUE(refused.waitForFinished());
    });
    ASSERT_TRUE(exportFlow());
    dialogs.onShown({});
    EXPECT_FALSE(QFile::exists(lock));

    QProcess other;
    ASSERT_EQ(otherWorkstation(other), QByteArray("preso\n"));
    dialogs.clear();
    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Un'esportazione è già in corso: la sta facendo l'utente mario sul computer "
                                         "ws-12 (dal 14/06/2011 09:15:00). Il flusso non è stato generato: riprovare "
                                         "quando quell'esportazione è finita.")});
    EXPECT_EQ(dialogs.shown().size(), 1);
    expectNothingWritten({QFileInfo(flowPath()).fileName()}, "[Norvanta]\r\nLastID=00043\r\n");

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
        dialogs.clear();
        EXPECT_TRUE(exportFlow()) << dialogs.messages().join(QLatin1Char('|')).toStdString();
        EXPECT_FALSE(QFile::exists(lock));
    }
    EXPECT_EQ(lastId(), QByteArray("[Norvanta]\r\nLastID=00047\r\n"));
}

TEST_F(FlowExportTest, TheTestVariantIsOfferedOnItsDayOnly)
{
    clearCases();
    addCase(1, {{"altroriferimento", QVariant()}});
    clock.set(QDateTime(QDate(2010, 4, 14), QTime(23, 59, 59)));
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    Result<QString> written = exportFlow();
    ASSERT_TRUE(written);
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Per test ?"));
    EXPECT_EQ(dialogs.shown().first().icon, Dialogs::Icon::Critical);
    const QString schema = QUrl::fromLocalFile(desktopFile(QStringLiteral("SCARICO_SCHEMA.xsd"))).toString();
    const QStringList lines = linesOf(fileBytes(*written));
    EXPECT_EQ(lines.at(1),
              QStringLiteral("<Flusso IdFl=\"00043\" IdSd=\"06\" DataGen=\"2010-04-14T23:59:59-05:00\" IdEE=\"0008\" "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                             "xsi:noNamespaceSchemaLocation=\"%1\">")
                  .arg(schema));
    // A case without a consignment reference names the Affidamento "Null".
    EXPECT_EQ(lines.at(2), QStringLiteral("\t<Affidamento IdAffidamento=\"Null\">"));

    // No is the default answer.
    dialogs.clear();
    written = exportFlow();
    ASSERT_TRUE(written);
    EXPECT_EQ(dialogs.shown().first().kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_TRUE(linesOf(fileBytes(*written)).at(1).endsWith(QStringLiteral("IdEE=\"0008\">")));

    dialogs.clear();
    clock.set(QDateTime(QDate(2010, 4, 15), QTime(0, 0, 0)));
    ASSERT_TRUE(exportFlow());
    EXPECT_EQ(dialogs.shown().first().kind, ScriptedDialogs::Shown::Kind::Input);
}

TEST_F(FlowExportTest, AStopLeavesNoFileAndTheProgressiveAsTheyWere)
{
    addCase(2, {{"codicescaricomemo", "EESE"}});
    addCase(3);
    // An amount that the currency cannot hold would wrap round into another one.
    addPayment(5, 3, {{"totale", 922337203685478LL}});
    writeBytes(flowPath(), "the flow sent this morning");
    const QStringList kept{QFileInfo(flowPath()).fileName()};

    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Manca DiagnosisSheet alla pratica ROSSI MARIO P2"),
                                               QStringLiteral("La procedura di esportazione termina")}));
    EXPECT_EQ(dialogs.shown().last().icon, Dialogs::Icon::None);
    EXPECT_EQ(pratiche.absolutePosition(), 2);
    EXPECT_EQ(fileBytes(flowPath()), QByteArray("the flow sent this morning"));
    expectNothingWritten(kept);

    suite.writeSheet(2, SuiteFixture::completeSheet());
    dialogs.clear();
    const Result<QString> written = exportFlow();
    EXPECT_FALSE(written);
    EXPECT_EQ(
        dialogs.messages(),
        QStringList{QStringLiteral("Pratica P3 (ROSSI MARIO, contatore 3): pagamento ID 5, il campo totale è fuori "
                                   "dall'intervallo di un importo: 922337203685478.\nLa procedura di esportazione "
                                   "termina: il file %1 non è stato generato.")
                        .arg(flowPath())});
    EXPECT_EQ(written.errorText(), dialogs.messages().first());
    EXPECT_EQ(fileBytes(flowPath()), QByteArray("the flow sent this morning"));
    expectNothingWritten(kept);

    // An empty list asks nothing.
    clearCases();
    dialogs.clear();
    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Nessuna pratica da esportare: il flusso non è stato generato.")});
    EXPECT_EQ(dialogs.shown().size(), 1);
    expectNothingWritten(kept);
}
