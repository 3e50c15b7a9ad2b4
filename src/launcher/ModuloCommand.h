#pragma once

#include "foundation/db/Connection.h"
#include "launcher/ToolParams.h"

#include <QString>

#include <optional>

class Clock;

/// The tool windows the dispatcher can open.
enum class ToolWindow {
    Main,              ///< FRM_EXP_NRV_XML, the flow export
    ContactsExport,    ///< Frm_EXP_AGGCMP
    Journal,           ///< Frm_Giornale
    OtherConsignments, ///< FrmAltriAffidiCF
    EmptyForm,         ///< a window of the suite's family that has nothing of its own here ("Form1")
};

/// Which tool to start: a tool code, or a window asked for by name.
struct ToolRequest {
    qint32 code = 5001;
    QString windowName; ///< when set, the window of that name whatever the code and the date

    /// Whether the main tool starts: the flow export's window, by its code or its name.
    bool isMainTool() const;
    /// Reads "5001" or one of the window names; no value for anything else.
    static std::optional<ToolRequest> parse(const QString& text);
};

/// What the dispatcher decided.
struct Dispatch {
    enum class Kind {
        Listing,    ///< too few fields: the PAR listing is shown, no tool starts
        OpenWindow, ///< open `window` with `params` (and `sqlLotti` for the journal)
        Stopped,    ///< the status file (or the journal's query file) could not be read: `text` says why
    };
    Kind kind = Kind::Stopped;
    ToolWindow window = ToolWindow::Main;
    QString windowName;
    ToolParams params;
    QString sqlLotti;       ///< the journal's query; params.source names the file it came from
    bool runInizia = false; ///< whether the window's start routine runs once it is shown
    QString text;           ///< the listing, or why the dispatch stopped
};

/// The start-up module shared by every tool: the connection string, the Access flag and the shared
/// connection, fixed by EseguiComando before any tool works, and the dispatch itself.
class ModuloCommand {
public:
    ModuloCommand(const Clock& clock, QString applicationTitle);

    /// Reads the connection string and the suite's command line, reads the status file and decides
    /// which window to open with which values.
    Dispatch EseguiComando(const ToolRequest& tool, const QString& line);

    const QString& StringaConnessione() const { return m_stringaConnessione; }
    /// Why kv32.ini gave no connection string although the operator may see one in it (the file refused, or a
    /// byte-order mark hiding the key); empty when the file was read as it is.
    const QString& connectionStringProblem() const { return m_connectionStringProblem; }
    bool ModoAccess() const { return m_modoAccess; }
    db::Connection& Connessione() { return m_connessione; }
    const QString& applicationTitle() const { return m_applicationTitle; }

private:
    Dispatch journal(const QString& queryFile) const;
    Dispatch byCode(qint32 code, const ToolParams& params) const;
    Dispatch byName(const QString& windowName, const ToolParams& params) const;

    const Clock& m_clock;
    QString m_applicationTitle;
    QString m_stringaConnessione;
    QString m_connectionStringProblem;
    bool m_modoAccess = false;
    db::Connection m_connessione;
};
