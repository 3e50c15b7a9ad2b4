#pragma once

#include "foundation/Status.h"
#include "foundation/ports/Dialogs.h"
#include "foundation/ports/EventPump.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class Clock;
class Random;
class ShareLock;
class SheetStore;
namespace db {
class Connection;
class Recordset;
} // namespace db

/// "Esporta": asks for the sender's identifiers and the flow's progressive, writes the return flow of every listed
/// case to a file on the operator's desktop, remembers the progressive and says where the file is.
///
/// The file is written under a temporary name beside its final one and put in place only when the whole flow is
/// written; an export that stops leaves no part of a flow behind, an earlier file of the same name as it was and
/// the last progressive unchanged, and tells the operator which case and which field stopped it.
class FlowExport {
public:
    /// Told after each case: cases written so far and cases in the list (the window shows "3/57" and a bar).
    using Progress = std::function<void(qsizetype done, qsizetype total)>;

    // The prompts of the three input boxes, by which a batch run gives its answers.
    inline static const QString PromptIdEE = QStringLiteral("Identificativo E/E");
    inline static const QString PromptIdSede = QStringLiteral("Identificativo Sede E/E");
    inline static const QString PromptProgressivo = QStringLiteral("Progressivo Invio ");

    /// An export over `connection` (the suite's database; `modoAccess` when it is the Access file) with the sheets
    /// of `sheets`, asking the operator through `dialogs`, dated by `clock`, drawing the contact counters from
    /// `random`.
    FlowExport(db::Connection& connection, bool modoAccess, const SheetStore& sheets, Dialogs& dialogs,
               const Clock& clock, Random& random);

    /// Called once per case so that the window keeps painting.
    void setEventPump(EventPump pump) { m_pump = std::move(pump); }
    /// Called once per case with the count so far.
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    /// The whole export over the cases of `pratiche`, in their order; afterwards the recordset stands after its last
    /// case (or on the case that stopped the export). The path of the file written, or why the export did not
    /// finish: there is no file, or (the failure says so) the file is written but its progressive was not saved.
    /// The operator has been told either way.
    Result<QString> EsportaFlusso(db::Recordset& pratiche);

    /// Why `answer`, given to the box `prompt`, cannot become part of the flow's file name and of IDNrvXML.ini (it
    /// holds a path separator, a line break or another control character); nothing when it can.
    static std::optional<QString> refusal(const QString& prompt, const QString& answer);

    /// The name of a flow file: "<IdEE>_<IdSd>_<progressivo>_<yyyy-MM-dd>.XML".
    static QString fileName(const QString& idEE, const QString& idSd, const QString& progressivo, const QDate& day);

private:
    /// What the operator answered to the three questions.
    struct Answers {
        QString idEE;
        QString idSd;
        QString progressivo;
    };

    /// Takes the lock of the last flow number; the failure tells who holds it, or why it cannot be taken.
    Status takeLock(ShareLock& lock);
    /// Asks the three questions; a cancelled one ends the export.
    Result<Answers> ask();
    /// Asks one question into `answer`; the failure when the operator cancels it.
    Status ask(const QString& prompt, const QString& proposed, QString& answer);
    /// What the operator must know when the flow is written and its progressive `progressivo` is not saved.
    static QString notSaved(const QString& progressivo, const Status& saved);
    /// Tells the operator why there is no flow, and returns it as the failure.
    Status stop(const QString& message, Dialogs::Icon icon = Dialogs::Icon::Critical);

    db::Connection& m_connection;
    bool m_modoAccess;
    const SheetStore& m_sheets;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    Random& m_random;
    EventPump m_pump;
    Progress m_progress;
    bool m_running = false;
};
