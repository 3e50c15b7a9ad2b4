#include "launcher/ModuloCommand.h"

#include "foundation/DriveMapping.h"
#include "foundation/IniFile.h"
#include "foundation/SuitePaths.h"
#include "foundation/Windows1252.h"
#include "foundation/ports/Clock.h"
#include "launcher/StatusFile.h"
#include "launcher/SuiteLine.h"

namespace {

constexpr qint32 MainTool = 5001;
constexpr qint32 ContactsTool = 4999;
constexpr qint32 JournalTool = 7510;

const QString MainWindowName = QStringLiteral("FRM_EXP_NRV_XML");
const QString JournalWindowName = QStringLiteral("Frm_Giornale");
const QString ContactsWindowName = QStringLiteral("Frm_EXP_AGGCMP");
const QString ConsignmentsWindowName = QStringLiteral("FrmAltriAffidiCF");

Dispatch openWindow(ToolWindow window, const QString& name, const ToolParams& params, bool runInizia)
{
    Dispatch dispatch;
    dispatch.kind = Dispatch::Kind::OpenWindow;
    dispatch.window = window;
    dispatch.windowName = name;
    dispatch.params = params;
    dispatch.runInizia = runInizia;
    return dispatch;
}

// The journal's query is the file's first line; the rest is never read.
constexpr ReadBound queryLine{64 * 1024, 1};

Dispatch stopped(const QString& why)
{
    Dispatch dispatch;
    dispatch.kind = Dispatch::Kind::Stopped;
    dispatch.text = why;
    return dispatch;
}

} // namespace

bool ToolRequest::isMainTool() const
{
    return windowName.isEmpty() ? code == MainTool : windowName == MainWindowName;
}

std::optional<ToolRequest> ToolRequest::parse(const QString& text)
{
    bool numeric = false;
    const qint32 code = text.trimmed().toInt(&numeric);
    if (numeric)
        return ToolRequest{code, QString()};
    for (const QString& name : {MainWindowName, JournalWindowName, ContactsWindowName, ConsignmentsWindowName}) {
        if (text.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return ToolRequest{name == MainWindowName ? MainTool : 0, name};
    }
    return std::nullopt;
}

ModuloCommand::ModuloCommand(const Clock& clock, QString applicationTitle)
    : m_clock(clock), m_applicationTitle(std::move(applicationTitle))
{
}

Dispatch ModuloCommand::EseguiComando(const ToolRequest& tool, const QString& line)
{
    const Result<QString> connstring =
        readIniValue(SuitePaths::kv32Ini(), QStringLiteral("datiserver"), QStringLiteral("connstring"));
    m_stringaConnessione = connstring.value_or(QString());
    m_connectionStringProblem = connstring ? QString() : connstring.errorText();
    if (m_stringaConnessione.toUpper().contains(QLatin1String(".MDB")))
        m_modoAccess = true;

    const SuiteLine suiteLine(line);
    if (suiteLine.namesAccessDatabase())
        m_modoAccess = true;
    if (m_modoAccess && !m_stringaConnessione.toUpper().contains(QLatin1String(".MDB")))
        m_stringaConnessione = SuitePaths::defaultAccessConnection();

    const bool journalAsked =
        tool.windowName == JournalWindowName || (tool.windowName.isEmpty() && tool.code == JournalTool);
    if (suiteLine.fieldCount() <= 3) {
        if (journalAsked)
            return journal(suiteLine.field(0));
        Dispatch listing;
        listing.kind = Dispatch::Kind::Listing;
        listing.text = suiteLine.listing();
        return listing;
    }

    Result<ToolParams> params = StatusFile::read(suiteLine.field(3));
    if (!params)
        return stopped(params.errorText());
    params.value().source = suiteLine.field(3);
    if (!tool.windowName.isEmpty())
        return byName(tool.windowName, *params);
    return byCode(tool.code, *params);
}

Dispatch ModuloCommand::journal(const QString& queryFile) const
{
    const Result<QString> text = Windows1252::readFile(DriveMapping::toLocalPath(queryFile), queryLine);
    if (!text)
        return stopped(QStringLiteral("File della query del giornale %1: %2").arg(queryFile, text.errorText()));
    const QStringList lines = Windows1252::splitLines(*text);
    ToolParams fromFile;
    fromFile.source = queryFile;
    Dispatch dispatch = openWindow(ToolWindow::Journal, JournalWindowName, fromFile, true);
    dispatch.sqlLotti = lines.value(0);
    return dispatch;
}

Dispatch ModuloCommand::byCode(qint32 code, const ToolParams& params) const
{
    switch (code) {
    case MainTool:
        return openWindow(ToolWindow::Main, MainWindowName, params, true);
    case ContactsTool:
        return openWindow(ToolWindow::ContactsExport, ContactsWindowName, params,
                          m_applicationTitle == QLatin1String("EXP_OUTLOOK"));
    case 5000:
        return openWindow(ToolWindow::EmptyForm, QStringLiteral("Frm_EXP_CPE"), params, false);
    case 10000:
        return openWindow(ToolWindow::EmptyForm, QStringLiteral("IntegrazioneCentralino"), params, false);
    case 5002:
    case 60810:
    case 2506:
        return openWindow(ToolWindow::EmptyForm, QStringLiteral("FRM_EXP_B24"), params, false);
    default:
        break;
    }
    // Any other code opened the lookup only on the day it was tried out; on every other day an empty window.
    if (m_clock.today() == QDate(2008, 4, 10))
        return openWindow(ToolWindow::OtherConsignments, ConsignmentsWindowName, params, false);
    return openWindow(ToolWindow::EmptyForm, QStringLiteral("FrmRisultati"), params, false);
}

Dispatch ModuloCommand::byName(const QString& windowName, const ToolParams& params) const
{
    if (windowName == MainWindowName)
        return byCode(MainTool, params);
    if (windowName == ContactsWindowName)
        return byCode(ContactsTool, params);
    if (windowName == ConsignmentsWindowName)
        return openWindow(ToolWindow::OtherConsignments, ConsignmentsWindowName, params, false);
    // The journal asked for by name with a status file takes its query from the status file's second line.
    Dispatch dispatch = openWindow(ToolWindow::Journal, JournalWindowName, params, true);
    dispatch.sqlLotti = params.ParFiltro;
    return dispatch;
}
