#include "app/CommandLine.h"

#include "flow/FlowExport.h"

#include <QCommandLineParser>

namespace {

struct InputOption {
    const char* name;
    const QString& prompt;
};

// The input boxes that a batch run can be given answers for, by the box's own prompt.
const InputOption InputOptions[] = {
    {"id-ee", FlowExport::PromptIdEE},
    {"id-sede", FlowExport::PromptIdSede},
    {"progressivo", FlowExport::PromptProgressivo},
};

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Esportazione Norvanta XML e strumenti della suite."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(
        {QStringLiteral("batch"), QStringLiteral("Nessuna finestra: i messaggi vanno sullo standard output.")});
    parser.addOption({QStringLiteral("tool"),
                      QStringLiteral("Codice dello strumento (5001, 7510, 4999, ...) o nome della finestra."),
                      QStringLiteral("CODE")});
    parser.addOption({QStringLiteral("title"), QStringLiteral("Titolo dell'applicazione (predefinito Exp_Nrv_XML)."),
                      QStringLiteral("TITLE")});
    for (const InputOption& option : InputOptions) {
        parser.addOption({QString::fromLatin1(option.name),
                          QStringLiteral("Risposta alla domanda \"%1\".").arg(option.prompt.trimmed()),
                          QStringLiteral("TEXT")});
    }
    parser.addOption({QStringLiteral("yes"), QStringLiteral("Risponde Sì alle domande.")});
    parser.addOption({QStringLiteral("no"), QStringLiteral("Risponde No alle domande.")});
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("LINE"),
                                 QStringLiteral("La riga di comando della suite (campi separati da |)."),
                                 QStringLiteral("[LINE ...]"));
}

} // namespace

Result<CommandLine> CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments))
        return Status::failure(parser.errorText());

    CommandLine options;
    options.helpAsked = parser.isSet(QStringLiteral("help"));
    options.batch = parser.isSet(QStringLiteral("batch"));
    if (parser.isSet(QStringLiteral("tool"))) {
        const std::optional<ToolRequest> tool = ToolRequest::parse(parser.value(QStringLiteral("tool")));
        if (!tool)
            return Status::failure(
                QStringLiteral("Strumento sconosciuto: %1").arg(parser.value(QStringLiteral("tool"))));
        options.tool = *tool;
    }
    if (parser.isSet(QStringLiteral("title")))
        options.title = parser.value(QStringLiteral("title"));
    for (const InputOption& option : InputOptions) {
        const QString name = QString::fromLatin1(option.name);
        if (!parser.isSet(name))
            continue;
        const QString answer = parser.value(name);
        if (const std::optional<QString> refused = FlowExport::refusal(option.prompt, answer))
            return Status::failure(QStringLiteral("--%1: %2").arg(name, *refused));
        options.inputAnswers.insert(option.prompt, answer);
    }
    const bool yes = parser.isSet(QStringLiteral("yes"));
    const bool no = parser.isSet(QStringLiteral("no"));
    if (yes && no)
        return Status::failure(QStringLiteral("--yes e --no non possono stare insieme."));
    if (yes || no)
        options.questionAnswer = yes ? Dialogs::Answer::Yes : Dialogs::Answer::No;
    options.line = parser.positionalArguments().join(QLatin1Char(' '));
    return options;
}

QString CommandLine::usage()
{
    QCommandLineParser parser;
    describe(parser);
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QStringLiteral("exp_nrv_xml"));
    return text;
}
