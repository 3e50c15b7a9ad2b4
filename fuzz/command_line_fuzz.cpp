// The suite starts the program with a command line and a status file that other programs write: neither may crash
// the program, and the status file must read the same whatever line ends its writer used.
#include "FuzzSupport.h"

#include "app/CommandLine.h"
#include "flow/FlowExport.h"
#include "foundation/Windows1252.h"
#include "launcher/StatusFile.h"
#include "launcher/SuiteLine.h"

namespace {

void commandLine(const QByteArray& input)
{
    QStringList arguments{QStringLiteral("exp_nrv_xml")};
    for (const QByteArray& argument : input.split('\0'))
        arguments.append(fuzz::utf8(argument));
    const Result<CommandLine> parsed = CommandLine::parse(arguments);
    if (!parsed)
        return;
    for (auto answer = parsed->inputAnswers.cbegin(); answer != parsed->inputAnswers.cend(); ++answer)
        fuzz::require(!FlowExport::refusal(answer.key(), answer.value()), "an answer taken can name the flow's file");
    const SuiteLine line(parsed->line);
    line.listing();
    line.namesAccessDatabase();
    fuzz::require(line.fieldCount() >= 1, "a suite line has at least one field");
}

QString summary(const Result<ToolParams>& params)
{
    if (!params)
        return QStringLiteral("failure: ") + params.errorText();
    return QStringLiteral("%1 | %2 | %3").arg(params->ParContatore).arg(params->ParFiltro, params->ParTesto);
}

void statusFile(const QByteArray& bytes)
{
    const QString text = Windows1252::decode(bytes);
    const Result<ToolParams> asWritten = StatusFile::parse(text, QStringLiteral("stato.txt"));
    // The same file saved by a Linux editor: every CR LF and lone CR become LF.
    QString unixText = text;
    unixText.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const Result<ToolParams> asUnix = StatusFile::parse(unixText, QStringLiteral("stato.txt"));
    fuzz::require(summary(asWritten) == summary(asUnix), "the status file reads the same with any line ends",
                  [&] { return summary(asWritten) + QStringLiteral("\n") + summary(asUnix); });
    if (asWritten)
        fuzz::require(!asWritten->ParFiltro.contains(QLatin1Char('\n')) && !asWritten->ParTesto.contains('\r'),
                      "a status value holds no line end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    commandLine(input);
    statusFile(input);
    return 0;
}
