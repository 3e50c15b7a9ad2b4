#include "flow/FlowExport.h"

#include "flow/FlowWriter.h"
#include "flow/Formatting.h"
#include "flow/LastId.h"
#include "flow/PaymentSource.h"
#include "launcher/SaveFile.h"
#include "launcher/SpecialFolders.h"
#include "launcher/db/Recordset.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/Dialogs.h"

#include <QDir>
#include <QScopeGuard>
#include <QUrl>

namespace {

const QString EndOfExport = QStringLiteral("La procedura di esportazione termina");

} // namespace

FlowExport::FlowExport(db::Connection& connection, bool modoAccess, SheetStore& sheets, Dialogs& dialogs,
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

Result<QString> FlowExport::stop(const QString& message, Dialogs::Icon icon)
{
    m_dialogs.message(message, icon);
    return Status::failure(message);
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

    pratiche.moveFirst();
    // The flow's Affidamento is named after its first case: without one there is no flow to send.
    if (pratiche.recordCount() == 0)
        return stop(QStringLiteral("Nessuna pratica da esportare: il flusso non è stato generato."),
                    Dialogs::Icon::Information);

    // A cancelled box gives an empty answer: the flow goes out with whatever the operator left.
    const QString idEE = m_dialogs.input(PromptIdEE, QStringLiteral("0008")).value_or(QString());
    const QString idSd = m_dialogs.input(PromptIdSede, QStringLiteral("06")).value_or(QString());
    const QString proposed = QString::number(qint64(LeggiLastID()) + 1);
    const QString progressivo = FormatCinqueCifre(m_dialogs.input(PromptProgressivo, proposed).value_or(QString()));

    const QString desktop = CartellaSpeciale(QString());
    // Without a desktop the old path began at the root of the drive; the operator would never find the flow there.
    if (desktop.isEmpty() || QDir(desktop).isRoot())
        return stop(QStringLiteral("Non si riesce a stabilire la cartella Desktop dell'utente: il flusso non è stato "
                                   "generato."));
    if (!QDir().mkpath(desktop))
        return stop(QStringLiteral("Non si riesce a creare la cartella Desktop %1: il flusso non è stato generato.")
                        .arg(QDir::toNativeSeparators(desktop)));
    const QString name = fileName(idEE, idSd, progressivo, today);
    // The answers make the name: a separator in one of them would put the flow in another folder.
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return stop(QStringLiteral("Il nome del file %1 non è valido: gli identificativi e il progressivo non possono "
                                   "contenere / o \\. Il flusso non è stato generato.")
                        .arg(name));
    const QString path = QDir::toNativeSeparators(desktop + QLatin1Char('/') + name);

    SaveFile file(desktop + QLatin1Char('/') + name);
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
            pratiche.moveNext();
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
    m_dialogs.message(QStringLiteral("File ") + path + QStringLiteral(" generato"));
    // The flow is on the desktop and is good; only the next proposal will be off.
    if (!saved)
        m_dialogs.message(QStringLiteral("Il progressivo %1 non è stato salvato in IDNrvXML.ini: %2")
                              .arg(progressivo, saved.errorText()),
                          Dialogs::Icon::Critical);
    return path;
}
