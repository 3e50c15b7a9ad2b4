#include "flow/FlowFixture.h"

#include "flow/FlowExport.h"
#include "launcher/SuitePaths.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QUrl>

namespace {

class FlowExportTest : public FlowFixture {
protected:
    void SetUp() override
    {
        // The desktop is made by the export when it is missing.
        QDir(suite.home().desktop()).removeRecursively();
        writeLastId("[Norvanta]\r\nLastID=00042\r\n");
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
            expectValidFlow(read(*written));
        return written;
    }

    QString desktopFile(const QString& name) { return suite.home().desktop() + QLatin1Char('/') + name; }
    QStringList desktopFiles() { return QDir(suite.home().desktop()).entryList(QDir::Files | QDir::Hidden); }
    QString lastIdPath() const { return suite.local(SuitePaths::idNrvXmlIni()); }
    void writeLastId(const QByteArray& bytes)
    {
        QFile file(lastIdPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList inputsAsked() const
    {
        QStringList prompts;
        for (const ScriptedDialogs::Shown& shown : dialogs.shown()) {
            if (shown.kind == ScriptedDialogs::Shown::Kind::Input)
                prompts.append(shown.text);
        }
        return prompts;
    }

    QStringList progress;
    int pumped = 0;
};

} // namespace

TEST_F(FlowExportTest, WritesTheFlowOnTheDesktopAndRemembersItsProgressive)
{
    addCase(1);
    addCase(2, {{QStringLiteral("altroriferimento"), QStringLiteral("AFF2")}});
    const Result<QString> written = exportFlow();
    ASSERT_TRUE(written) << written.errorText().toStdString();
    const QString path = desktopFile(QStringLiteral("0008_06_00043_2011-06-14.XML"));
    EXPECT_EQ(*written, path);
    EXPECT_EQ(desktopFiles(), QStringList{QStringLiteral("0008_06_00043_2011-06-14.XML")});
    const QStringList lines = linesOf(read(path));
    ASSERT_GT(lines.size(), 5);
    EXPECT_EQ(lines.at(0), QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_EQ(
        lines.at(1),
        QStringLiteral("<Flusso IdFl=\"00043\" IdSd=\"06\" DataGen=\"2011-06-14T09:30:05-05:00\" IdEE=\"0008\">"));
    // One Affidamento for the whole sending, named after the first case.
    EXPECT_EQ(lines.at(2), QStringLiteral("\t<Affidamento IdAffidamento=\"AFF1\">"));
    EXPECT_EQ(lines.filter(QStringLiteral("<Affidamento")).size(), 1);
    EXPECT_EQ(lines.at(3), QStringLiteral("\t\t<Pratica IdPratica=\"P1\">"));
    EXPECT_EQ(lines.mid(lines.size() - 3),
              (QStringList{QStringLiteral("\t\t</Pratica>"), QStringLiteral("\t</Affidamento>"),
                           QStringLiteral("</Flusso>")}));
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00043\r\n"));
    EXPECT_EQ(inputsAsked(),
              (QStringList{FlowExport::PromptIdEE, FlowExport::PromptIdSede, FlowExport::PromptProgressivo}));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("File ") + path + QStringLiteral(" generato")});
    EXPECT_EQ(progress, (QStringList{"0/2", "1/2", "2/2"}));
    EXPECT_EQ(pumped, 2);
    EXPECT_TRUE(pratiche.eof());
}

TEST_F(FlowExportTest, TheProgressiveIsProposedFormattedAndSavedAsTyped)
{
    addCase(1);
    QFile::remove(lastIdPath());
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(QFile::exists(desktopFile(QStringLiteral("0008_06_00001_2011-06-14.XML"))));
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));

    // The number may go backwards.
    for (const char* typed : {"7", "abc"}) {
        dialogs.answerInput(QStringLiteral("0008"));
        dialogs.answerInput(QStringLiteral("06"));
        dialogs.answerInput(QString::fromLatin1(typed));
        ASSERT_TRUE(exportFlow());
    }
    EXPECT_TRUE(read(desktopFile(QStringLiteral("0008_06_00007_2011-06-14.XML"))).contains("IdFl=\"00007\""));
    EXPECT_TRUE(read(desktopFile(QStringLiteral("0008_06_abc_2011-06-14.XML"))).contains("IdFl=\"abc\""));
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=abc\r\n"));
    // A progressive that is no number proposes 1 the next time; the same answers replace the same file.
    ASSERT_TRUE(exportFlow());
    EXPECT_EQ(desktopFiles().size(), 3);
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
}

TEST_F(FlowExportTest, CancelledBoxesGiveEmptyAnswers)
{
    addCase(1);
    dialogs.answerInput(std::nullopt);
    dialogs.answerInput(std::nullopt);
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(read(desktopFile(QStringLiteral("__00043_2011-06-14.XML")))
                    .contains("<Flusso IdFl=\"00043\" IdSd=\"\" DataGen=\"2011-06-14T09:30:05-05:00\" IdEE=\"\">"));

    dialogs.answerInput(QStringLiteral("0008"));
    dialogs.answerInput(QStringLiteral("06"));
    dialogs.answerInput(std::nullopt);
    ASSERT_TRUE(exportFlow());
    EXPECT_TRUE(QFile::exists(desktopFile(QStringLiteral("0008_06__2011-06-14.XML"))));
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=\r\n"));

    // A separator in an answer would send the flow to another folder.
    dialogs.answerInput(QStringLiteral("../0008"));
    EXPECT_FALSE(exportFlow());
    EXPECT_TRUE(dialogs.messages().last().startsWith(QStringLiteral("Il nome del file ../0008_06_00001_2011-06-14.XML "
                                                                    "non è valido")));
    EXPECT_EQ(desktopFiles().size(), 2);
}

TEST_F(FlowExportTest, TheTestVariantIsOfferedOnItsDayOnly)
{
    addCase(1);
    clock.set(QDateTime(QDate(2010, 4, 14), QTime(23, 59, 59)));
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    Result<QString> written = exportFlow();
    ASSERT_TRUE(written);
    ASSERT_EQ(dialogs.shown().first().text, QStringLiteral("Per test ?"));
    EXPECT_EQ(dialogs.shown().first().kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_EQ(dialogs.shown().first().icon, Dialogs::Icon::Critical);
    const QString schema = QUrl::fromLocalFile(desktopFile(QStringLiteral("SCARICO_SCHEMA.xsd"))).toString();
    EXPECT_EQ(linesOf(read(*written)).at(1),
              QStringLiteral("<Flusso IdFl=\"00043\" IdSd=\"06\" DataGen=\"2010-04-14T23:59:59-05:00\" IdEE=\"0008\" "
                             "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                             "xsi:noNamespaceSchemaLocation=\"%1\">")
                  .arg(schema));

    // No is the default answer.
    dialogs.clear();
    written = exportFlow();
    ASSERT_TRUE(written);
    EXPECT_EQ(dialogs.shown().first().kind, ScriptedDialogs::Shown::Kind::Question);
    EXPECT_TRUE(linesOf(read(*written)).at(1).endsWith(QStringLiteral("IdEE=\"0008\">")));

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
    QDir().mkpath(suite.home().desktop());
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("the flow sent this morning");
    earlier.close();

    EXPECT_FALSE(exportFlow());
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Manca DiagnosisSheet alla pratica ROSSI MARIO P2"),
                                               QStringLiteral("La procedura di esportazione termina")}));
    EXPECT_EQ(dialogs.shown().last().icon, Dialogs::Icon::None);
    EXPECT_EQ(pratiche.absolutePosition(), 2);
    EXPECT_EQ(read(path), QByteArray("the flow sent this morning"));
    EXPECT_EQ(desktopFiles(), QStringList{QStringLiteral("0008_06_00043_2011-06-14.XML")});
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00042\r\n"));

    addCompleteSheet(2);
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
    EXPECT_EQ(read(path), QByteArray("the flow sent this morning"));
    EXPECT_EQ(desktopFiles().size(), 1);
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00042\r\n"));
}

TEST_F(FlowExportTest, AnEmptyListAsksNothingAndWritesNothing)
{
    const Result<QString> written = exportFlow();
    EXPECT_FALSE(written);
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("Nessuna pratica da esportare: il flusso non è stato generato.")});
    EXPECT_TRUE(inputsAsked().isEmpty());
    EXPECT_TRUE(desktopFiles().isEmpty());
    EXPECT_EQ(read(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00042\r\n"));
}

TEST_F(FlowExportTest, TheSmallSuiteGivesTheHandCheckedFlow)
{
    QFile sql(dataFile(QStringLiteral("small_suite/suite.sql")));
    ASSERT_TRUE(sql.open(QIODevice::ReadOnly)) << sql.fileName().toStdString();
    QStringList statements;
    for (const QString& line : QString::fromUtf8(sql.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("--")))
            statements.append(line);
    }
    suite.database().exec(statements);
    const QDir sheetFolder(dataFile(QStringLiteral("small_suite/ds")));
    for (const QString& name : sheetFolder.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sheetFolder.filePath(name), suite.local(SuitePaths::sheetFolder() + name)));

    const Result<QString> written = exportFlow();
    ASSERT_TRUE(written) << written.errorText().toStdString();
    EXPECT_EQ(*written, desktopFile(QStringLiteral("0008_06_00043_2011-06-14.XML")));
    const QByteArray expected = read(dataFile(QStringLiteral("small_suite/expected.XML")));
    const QByteArray actual = read(*written);
    EXPECT_EQ(actual, expected);
    // On a difference, the first line that differs says more than the whole document.
    const QList<QByteArray> actualLines = actual.split('\n');
    const QList<QByteArray> expectedLines = expected.split('\n');
    for (qsizetype i = 0; i < std::min(actualLines.size(), expectedLines.size()); ++i) {
        if (actualLines.at(i) != expectedLines.at(i)) {
            ADD_FAILURE() << "line " << i + 1 << "\n  written:  " << actualLines.at(i).toStdString()
                          << "\n  expected: " << expectedLines.at(i).toStdString();
            break;
        }
    }
}
