#include "flow/FlowFixture.h"

#include "flow/FlowExport.h"
#include "launcher/SuitePaths.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace {

const QByteArray LastId42 = "[Norvanta]\r\nLastID=00042\r\n";

class FlowExportTest : public FlowFixture {
protected:
    void SetUp() override
    {
        // The desktop is made by the export when it is missing.
        QDir(suite.home().desktop()).removeRecursively();
        writeBytes(lastIdPath(), LastId42);
    }

    Result<QString> exportFlow()
    {
        openCases();
        FlowExport exporter(connection, false, sheets, dialogs, clock, random);
        exporter.setProgress(
            [this](qsizetype done, qsizetype total) { progress.append(QStringLiteral("%1/%2").arg(done).arg(total)); });
        exporter.setEventPump([this] { ++pumped; });
        const Result<QString> written = exporter.EsportaFlusso(pratiche);
        if (written)
            expectValidFlow(fileBytes(*written));
        return written;
    }
    /// Answers the three input boxes.
    void answer(const std::optional<QString>& idEE, const std::optional<QString>& idSede,
                const std::optional<QString>& progressivo)
    {
        dialogs.answerInput(idEE);
        dialogs.answerInput(idSede);
        dialogs.answerInput(progressivo);
    }
    QString desktopFile(const QString& name) { return suite.home().desktop() + QLatin1Char('/') + name; }
    QStringList desktopFiles() { return QDir(suite.home().desktop()).entryList(QDir::Files | QDir::Hidden); }
    QString lastIdPath() const { return suite.local(SuitePaths::idNrvXmlIni()); }

    QStringList progress;
    int pumped = 0;
};

} // namespace

TEST_F(FlowExportTest, TheSmallSuiteGivesTheHandCheckedFlowAndTheNextProgressive)
{
    suite.loadSmallSuite();
    const Result<QString> written = exportFlow();
    ASSERT_TRUE(written) << written.errorText().toStdString();
    const QString path = desktopFile(QStringLiteral("0008_06_00043_2011-06-14.XML"));
    EXPECT_EQ(*written, path);
    EXPECT_EQ(desktopFiles(), QStringList{QStringLiteral("0008_06_00043_2011-06-14.XML")});
    expectSameBytes(fileBytes(path), fileBytes(testData(QStringLiteral("flow/small_suite/expected.XML"))),
                    QStringLiteral("the small suite's flow"));
    EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00043\r\n"));
    QStringList asked;
    for (const ScriptedDialogs::Shown& shown : dialogs.shown())
        asked.append(shown.text);
    EXPECT_EQ(asked, (QStringList{FlowExport::PromptIdEE, FlowExport::PromptIdSede, FlowExport::PromptProgressivo,
                                  QStringLiteral("File ") + path + QStringLiteral(" generato")}));
    EXPECT_EQ(progress, (QStringList{"0/5", "1/5", "2/5", "3/5", "4/5", "5/5"}));
    EXPECT_EQ(pumped, 5);
    EXPECT_TRUE(pratiche.eof());
}

TEST_F(FlowExportTest, TheProgressiveIsProposedFormattedAndSavedAsTyped)
{
    addCase(1);
    QFile::remove(lastIdPath());
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(QFile::exists(desktopFile(QStringLiteral("0008_06_00001_2011-06-14.XML"))));
    EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));

    // The number may go backwards.
    for (const char* typed : {"7", "abc"}) {
        answer(QStringLiteral("0008"), QStringLiteral("06"), QString::fromLatin1(typed));
        ASSERT_TRUE(exportFlow());
    }
    EXPECT_TRUE(fileBytes(desktopFile(QStringLiteral("0008_06_00007_2011-06-14.XML"))).contains("IdFl=\"00007\""));
    EXPECT_TRUE(fileBytes(desktopFile(QStringLiteral("0008_06_abc_2011-06-14.XML"))).contains("IdFl=\"abc\""));
    EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=abc\r\n"));
    // A progressive that is no number proposes 1 the next time; the same answers replace the same file.
    ASSERT_TRUE(exportFlow());
    EXPECT_EQ(desktopFiles().size(), 3);
    EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
}

TEST_F(FlowExportTest, CancelledBoxesGiveEmptyAnswersAndASeparatorIsRefused)
{
    addCase(1);
    answer(std::nullopt, std::nullopt, QStringLiteral("00043"));
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(fileBytes(desktopFile(QStringLiteral("__00043_2011-06-14.XML")))
                    .contains("<Flusso IdFl=\"00043\" IdSd=\"\" DataGen=\"2011-06-14T09:30:05-05:00\" IdEE=\"\">"));

    answer(QStringLiteral("0008"), QStringLiteral("06"), std::nullopt);
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(QFile::exists(desktopFile(QStringLiteral("0008_06__2011-06-14.XML"))));
    EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=\r\n"));

    // A separator in an answer would send the flow to another folder.
    dialogs.answerInput(QStringLiteral("../0008"));
    EXPECT_FALSE(exportFlow());
    EXPECT_TRUE(dialogs.messages().last().startsWith(QStringLiteral("Il nome del file ../0008_06_00001_2011-06-14.XML "
                                                                    "non è valido")));
    EXPECT_EQ(desktopFiles().size(), 2);
}

TEST_F(FlowExportTest, TheTestVariantIsOfferedOnItsDayOnly)
{
    addCase(1, {{QStringLiteral("altroriferimento"), QVariant()}});
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
    addCase(1);
    addCase(2, {{QStringLiteral("codicescaricomemo"), QStringLiteral("EESE")}});
    addCase(3);
    addPayment(5, 3, {{QStringLiteral("totale"), QVariant()}});
    const QString path = desktopFile(QStringLiteral("0008_06_00043_2011-06-14.XML"));
    writeBytes(path, "the flow sent this morning");

    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Manca DiagnosisSheet alla pratica ROSSI MARIO P2"),
                                               QStringLiteral("La procedura di esportazione termina")}));
    EXPECT_EQ(dialogs.shown().last().icon, Dialogs::Icon::None);
    EXPECT_EQ(pratiche.absolutePosition(), 2);
    EXPECT_EQ(fileBytes(path), QByteArray("the flow sent this morning"));
    EXPECT_EQ(desktopFiles(), QStringList{QStringLiteral("0008_06_00043_2011-06-14.XML")});
    EXPECT_EQ(fileBytes(lastIdPath()), LastId42);

    suite.writeSheet(2, SuiteFixture::completeSheet());
    dialogs.clear();
    const Result<QString> written = exportFlow();
    EXPECT_FALSE(written);
    EXPECT_EQ(
        dialogs.messages(),
        QStringList{QStringLiteral("Pratica P3 (ROSSI MARIO, contatore 3): pagamento ID 5, il campo totale è vuoto "
                                   "(Null) dove serve un importo.\nLa procedura di esportazione termina: il file "
                                   "%1 non è stato generato.")
                        .arg(path)});
    EXPECT_EQ(written.errorText(), dialogs.messages().first());
    EXPECT_EQ(fileBytes(path), QByteArray("the flow sent this morning"));
    EXPECT_EQ(desktopFiles().size(), 1);
    EXPECT_EQ(fileBytes(lastIdPath()), LastId42);
}

TEST_F(FlowExportTest, AnEmptyListAsksNothingAndWritesNothing)
{
    const Result<QString> written = exportFlow();
    EXPECT_FALSE(written);
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Nessuna pratica da esportare: il flusso non è stato generato.")});
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(desktopFiles().isEmpty());
    EXPECT_EQ(fileBytes(lastIdPath()), LastId42);
}
