#pragma once

#include "foundation/Status.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Dialogs.h"
#include "foundation/ports/EventPump.h"
#include "tools/journal/JournalReport.h"

#include <QString>

class Clock;
class JournalView;
class ModuloCommand;

/// The batch journal ("Giornale x Lotti"): the lots of the suite's selection query, listed one line per lot, copied
/// into the working table under the journal's operator tag and printed as a numbered journal; the last progressive
/// and the message are kept in the suite's kv32.ini. It works on the program's shared connection and never closes it.
class BatchJournal {
public:
    /// How a print ended.
    enum class PrintOutcome {
        NotPrinted, ///< nothing to print, or the rows or the report could not be written (the operator was told)
        Saved,      ///< printed, and the last progressive and the message were saved
        NotSaved,   ///< printed; the operator chose not to save
        SaveFailed, ///< printed, but kv32.ini could not be written (the operator was told)
    };

    /// A journal printed by `printer` (the PDF renderer of the program; tests may give another).
    BatchJournal(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, JournalView& view, JournalPrinter printer,
                 EventPump pump = {});

    /// The load sequence: the query ordered by consignment date into the query box, the lots loaded, then the next
    /// progressive and the message from kv32.ini. Returns whether lots were loaded. `sourceFile` names the file the
    /// query was read from, for messages.
    bool Form_Load(const QString& sqlLotti, const QString& sourceFile = QString());
    /// Loads the lots of the query box and fills the list; returns whether there are lots to print.
    bool Inizia();
    /// Writes the journal rows, prints the journal and offers to save its last progressive.
    PrintOutcome StampaCR();
    /// Replaces the working table's rows of the journal's operator tag with one row per lot, all in one
    /// transaction: on a failure the rows stay as they were.
    Status RiempiWorking();

    /// The title prefix with the program's version.
    static QString ScriviVersione();
    /// The operator tag of the journal's rows in [Working].
    static QString operatorTag() { return QStringLiteral("A_Z"); }
    /// Where the journal printed on a day is written: the desktop folder.
    static Result<QString> reportPathOn(const QDate& printDate);

    /// The lots of the last load.
    const db::Recordset& lotti() const { return m_lotti; }
    /// The file of the last print, empty before one.
    const QString& reportPath() const { return m_reportPath; }

private:
    bool load();
    void say(const QString& message, Dialogs::Icon icon);
    /// Shows why the lots cannot be used and leaves none loaded.
    bool refuse(const QString& message);
    /// RiempiWorking, and the rows written read back inside the same transaction when `readBack` is given.
    Status replaceWorkingRows(QList<JournalReport::Lot>* readBack);
    Status fillWorking();
    Result<QList<JournalReport::Lot>> journalRows();
    Result<QString> print(double statprog, const QString& message);

    ModuloCommand& m_module;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    JournalView& m_view;
    JournalPrinter m_printer;
    EventPump m_pump;
    db::Recordset m_lotti;
    bool m_loaded = false;
    QString m_queryFromFile;
    QString m_querySource;
    QString m_reportPath;
};
