#include "flow/FlowExport.h"

#include "flow/FlowWriter.h"
#include "flow/Formatting.h"
#include "flow/LastId.h"
#include "flow/PaymentSource.h"
#include "foundation/DriveMapping.h"
#include "foundation/SaveFile.h"
#include "foundation/ShareLock.h"
#include "foundation/ShownText.h"
#include "foundation/SpecialFolders.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Dialogs.h"

#include <QDir>
#include <QScopeGuard>
#include <QUrl>

namespace {

const QString EndOfExport = QStringLiteral("La procedura di esportazione termina");

bool isLineBreakOrControl(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

} // namespace

FlowExport::FlowExport(db::Connection& connection, bool modoAccess, const SheetStore& sheets, Dialogs& dialogs,
                       const Clock& clock, Random& random)
    : m_connection(connection), m_modoAccess(modoAccess), m_sheets(sheets), m_dialogs(dialogs), m_clock(clock),
      m_random(random)
{
}

QString FlowExport::fileName(const QString& idEE, const QString& idSd, const QString& progressivo, const QDate& day)
{
    return idEE + QLatin1Char('_') + idSd + QLatin1Char('_') + progressivo + QLatin1Char('_') +
           day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".XML");
}

std::optional<QString> FlowExport::refusal(const QString& prompt, const QString& answer)
{
    for (const QChar c : answer) {
        // A separator would put the flow in another folder; a line break would add a line to IDNrvXML.ini.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || isLineBreakOrControl(c))
            return QStringLiteral("La risposta \"%1\" a \"%2\" non è valida: il nome del file e IDNrvXML.ini non "
                                  "possono contenere / o \\, a capo o caratteri di controllo.")
                .arg(shownText(answer), prompt.trimmed());
    }
    return std::nullopt;
}

Status FlowExport::stop(const QString& message, Dialogs::Icon icon)
{
    m_dialogs.message(message, icon);
    return Status::failure(message);
}

Status FlowExport::takeLock(ShareLock& lock)
{
    switch (lock.tryLock(ShareLock::Holder::thisProcess(m_clock.now()))) {
    case ShareLock::State::Taken:
        return Status::success();
    case ShareLock::State::Held:
        break;
    case ShareLock::State::Failed:
        return stop(QStringLiteral("Non si riesce a creare il file %1, che impedisce a due esportazioni di usare lo "
                                   "stesso progressivo: %2. Il flusso non è stato generato.")
                        .arg(QDir::toNativeSeparators(lock.path()), lock.errorString()));
    }
    // The lock file lies on a share that anyone can write: what it says is shown, never obeyed.
    const ShareLock::Holder& holder = lock.holder();
    QString who = QStringLiteral("l'utente %1 sul computer %2").arg(shownText(holder.user), shownText(holder.host));
    if (holder.user.isEmpty() && holder.host.isEmpty())
        who = QStringLiteral("un altro utente");
    else if (holder.since.isValid())
        who += QStringLiteral(" (dal %1)").arg(holder.since.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));
    return stop(QStringLiteral("Un'esportazione è già in corso: la sta facendo %1. Il flusso non è stato generato: "
                               "riprovare quando quell'esportazione è finita.")
                    .arg(who),
                Dialogs::Icon::Information);
}

Status FlowExport::ask(const QString& prompt, const QString& proposed, QString& answer)
{
    const std::optional<QString> given = m_dialogs.input(prompt, proposed);
    // An empty answer confirmed with OK is a value the suite may rely on; Cancel is not.
    if (!given)
        return stop(QStringLiteral("Esportazione annullata: nessun flusso è stato generato."),
                    Dialogs::Icon::Information);
    if (const std::optional<QString> refused = refusal(prompt, *given))
        return stop(*refused + QStringLiteral(" Il flusso non è stato generato."));
    answer = *given;
    return Status::success();
}

Result<FlowExport::Answers> FlowExport::ask()
{
    Answers answers;
    if (const Status given = ask(PromptIdEE, QStringLiteral("0008"), answers.idEE); !given)
        return given;
    if (const Status given = ask(PromptIdSede, QStringLiteral("06"), answers.idSd); !given)
        return given;
    const Result<qint32> last = LeggiLastID();
    if (!last)
        m_dialogs.message(last.errorText() + QStringLiteral("\nIndicare il progressivo di questo invio."),
                          Dialogs::Icon::Critical);
    const QString proposed = last ? QString::number(qint64(*last) + 1) : QString();
    if (const Status given = ask(PromptProgressivo, proposed, answers.progressivo); !given)
        return given;
    // With nothing proposed an empty answer is no choice of the operator's (a batch run without --progressivo).
    if (!last && answers.progressivo.trimmed().isEmpty())
        return stop(QStringLiteral("Nessun progressivo indicato: nessun flusso è stato generato."));
    answers.progressivo = FormatCinqueCifre(answers.progressivo);
    return answers;
}

Result<QString> FlowExport::EsportaFlusso(db::Recordset& pratiche)
{
    // The window keeps painting during the export, so "Esporta" can be pressed again: a second export would race
    // the first for the same file name.
    if (m_running)
        return stop(QStringLiteral("Un'esportazione è già in corso."));
    m_running = true;
    const auto finished = qScopeGuard([this] { m_running = false; });

    const QDate today = m_clock.today();
    // The flow's test variant was asked for on one day only, the day the creditor checked the format.
    bool test = false;
    if (today == QDate(2010, 4, 14))
        test = m_dialogs.question(QStringLiteral("Per test ?"), Dialogs::Answer::No, Dialogs::Icon::Critical) ==
               Dialogs::Answer::Yes;

    static_cast<void>(pratiche.moveFirst()); // going to the first row cannot fail
    // The flow's Affidamento is named after its first case: without one there is no flow to send.
    if (pratiche.recordCount() == 0)
        return stop(QStringLiteral("Nessuna pratica da esportare: il flusso non è stato generato."),
                    Dialogs::Icon::Information);

    // Two workstations reading the same last number would send the creditor two flows with one progressive.
    ShareLock lock(DriveMapping::toLocalPath(SuitePaths::idNrvXmlLock()));
    if (const Status locked = takeLock(lock); !locked)
        return locked;
    const Result<Answers> answers = ask();
    if (!answers)
        return answers.status();
    const auto& [idEE, idSd, progressivo] = *answers;

    const QString desktop = CartellaSpeciale(QString());
    // Without a desktop the old path began at the root of the drive; the operator would never find the flow there.
    if (desktop.isEmpty() || QDir(desktop).isRoot())
        return stop(QStringLiteral("Non si riesce a stabilire la cartella Desktop dell'utente: il flusso non è stato "
                                   "generato."));
    if (!QDir().mkpath(desktop))
        return stop(QStringLiteral("Non si riesce a creare la cartella Desktop %1: il flusso non è stato generato.")
                        .arg(QDir::toNativeSeparators(desktop)));
    const QString name = fileName(idEE, idSd, progressivo, today);
    const QString path = QDir::toNativeSeparators(desktop + QLatin1Char('/') + name);

    SaveFile file(desktop + QLatin1Char('/') + name);
    file.setReplacesLink(true);
    if (!file.open(QIODevice::WriteOnly))
        return stop(QStringLiteral("Non si riesce a creare il file %1: %2").arg(path, file.errorString()));

    FlowWriter::Envelope envelope;
    envelope.progressivo = progressivo;
    envelope.idSd = idSd;
    envelope.dataGen = FlowWriter::dataGenOf(m_clock.now());
    envelope.idEE = idEE;
    envelope.test = test;
    envelope.schemaLocation = QUrl::fromLocalFile(desktop + QStringLiteral("/SCARICO_SCHEMA.xsd")).toString();

    const qsizetype total = pratiche.recordCount();
    Status written = Status::success();
    bool missingSheet = false;
    {
        PaymentSource payments(m_connection);
        FlowWriter writer(&file, pratiche, payments, m_sheets, m_random, m_clock, m_modoAccess);
        written = writer.writeHead(envelope);
        if (m_progress)
            m_progress(0, total);
        qsizetype done = 0;
        while (written && !pratiche.eof()) {
            written = writer.writeCase();
            if (!written)
                break;
            if (m_pump)
                m_pump();
            ++done;
            if (m_progress)
                m_progress(done, total);
            static_cast<void>(pratiche.moveNext()); // cannot fail before the end
        }
        if (written)
            written = writer.writeTail();
        missingSheet = writer.stoppedForMissingSheet();
    }
    if (!written) {
        file.cancelWriting();
        if (missingSheet) {
            m_dialogs.message(written.errorText());
            m_dialogs.message(EndOfExport);
            return written;
        }
        return stop(written.errorText() + QStringLiteral("\n") + EndOfExport +
                    QStringLiteral(": il file %1 non è stato generato.").arg(path));
    }
    if (!file.commit())
        return stop(QStringLiteral("Non si riesce a completare il file %1: %2").arg(path, file.errorString()));

    const Status saved = SalvaLastID(progressivo);
    lock.unlock();
    m_dialogs.message(QStringLiteral("File ") + path + QStringLiteral(" generato"));
    // The flow is on the desktop and is good, but the next export would propose this number again.
    if (!saved)
        return stop(notSaved(progressivo, saved));
    return path;
}

QString FlowExport::notSaved(const QString& progressivo, const Status& saved)
{
    const std::optional<qint32> number = leadingWholeNumber(progressivo);
    const QString next =
        number ? QString::number(qint64(*number) + 1) : QStringLiteral("il numero che segue %1").arg(progressivo);
    return QStringLiteral("Il progressivo %1 NON è stato salvato. %2\nAlla prossima esportazione il numero proposto "
                          "sarà sbagliato: come \"Progressivo Invio\" va indicato %3.")
        .arg(progressivo, saved.errorText(), next);
}
