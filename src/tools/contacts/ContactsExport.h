#pragma once

#include "foundation/Status.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/EventPump.h"
#include "launcher/ToolParams.h"

#include <QString>

class ContactsExportView;
class Dialogs;
class ModuloCommand;

/// The contacts export: the debtors of the filtered cases written to CONTATTIKV33.CSV on the user's desktop, one
/// contact per case, for the address book's contact import. It has a connection of its own, apart from the
/// program's shared one.
class ContactsExport {
public:
    /// How a run ended: the file is written and the program is to end, or a message stopped it.
    enum class Outcome { Exported, Stopped };

    ContactsExport(ModuloCommand& module, Dialogs& dialogs, ContactsExportView& view, EventPump pump = {});

    /// The values handed over by the dispatcher; only ParFiltro is used here.
    ToolParams params;

    /// The whole export, from the connection to the closing message.
    Outcome Inizia();

    /// The file the export writes: the user's profile folder, "Desktop", CONTATTIKV33.CSV.
    static QString outputPath();
    /// The query of the cases and their form of address, followed by the filter clause.
    static QString sourceQuery(const QString& filter);

private:
    Outcome stop(const QString& message);
    /// Writes the whole file, or leaves no file and an earlier one of the same name as it was.
    Status writeFile(const QString& path);

    ModuloCommand& m_module;
    Dialogs& m_dialogs;
    ContactsExportView& m_view;
    EventPump m_pump;
    db::Connection m_connection;
    db::Recordset m_cases;
};
