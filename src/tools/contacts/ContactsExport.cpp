#include "tools/contacts/ContactsExport.h"

#include "foundation/SaveFile.h"
#include "foundation/SpecialFolders.h"
#include "foundation/ports/Dialogs.h"
#include "launcher/FilterCheck.h"
#include "launcher/ModuloCommand.h"
#include "tools/contacts/ContactsCsv.h"
#include "tools/contacts/ContactsExportView.h"

#include <QDir>

ContactsExport::ContactsExport(ModuloCommand& module, Dialogs& dialogs, ContactsExportView& view, EventPump pump)
    : m_module(module), m_dialogs(dialogs), m_view(view), m_pump(std::move(pump))
{
}

QString ContactsExport::outputPath()
{
    // The profile folder, not the desktop the system names: the address book's import has always been pointed
    // at this fixed place.
    return userProfileFolder() + QStringLiteral("/Desktop/CONTATTIKV33.CSV");
}

QString ContactsExport::sourceQuery(const QString& filter)
{
    return QStringLiteral("Select [Tabella Pratiche].*,[vocativo].vocativo as voc from [Tabella Pratiche] left join "
                          "[vocativo] on [tabella pratiche].vocativo=vocativo.tipo ") +
           filter;
}

ContactsExport::Outcome ContactsExport::stop(const QString& message)
{
    m_view.setBusy(false);
    m_view.showProgress(-1, 0);
    m_dialogs.message(message, Dialogs::Icon::Critical);
    return Outcome::Stopped;
}

ContactsExport::Outcome ContactsExport::Inizia()
{
    m_view.setBusy(true);
    const QString path = outputPath();

    if (!m_connection.state()) {
        const Status opened = m_connection.open(m_module.StringaConnessione());
        if (!opened)
            return stop(QStringLiteral("ERRORE DI CONNESSIONE\n") + opened.errorText());
    }

    m_cases.close();
    if (const Status checked =
            checkFilter(params.ParFiltro, QStringLiteral("Il filtro delle pratiche da esportare"), params.source);
        !checked)
        return stop(checked.errorText() +
                    QStringLiteral("\nIl file %1 non è stato scritto.").arg(QDir::toNativeSeparators(path)));
    const QString sql = sourceQuery(params.ParFiltro);
    if (const Status opened = m_cases.open(sql, m_connection, db::Recordset::Lock::ReadOnly); !opened)
        return stop(
            QStringLiteral("Il filtro delle pratiche non si può eseguire: %1\n\n%2").arg(opened.errorText(), sql));

    if (m_cases.recordCount() == 0) {
        m_view.setBusy(false);
        m_dialogs.message(QStringLiteral("non vi sono Pratiche per questo filtro"));
        return Outcome::Stopped;
    }
    // With a row at least, going to either end cannot fail.
    static_cast<void>(m_cases.moveLast());
    m_view.setProgressText(QString::number(m_cases.recordCount()) + QStringLiteral(" pratiche "));
    static_cast<void>(m_cases.moveFirst());

    if (const Status written = writeFile(path); !written)
        return stop(written.errorText());

    m_view.setBusy(false);
    m_view.showProgress(-1, 0);
    m_cases.close();
    m_connection.close();
    m_dialogs.message(QStringLiteral("File ") + QDir::toNativeSeparators(path) + QStringLiteral(" esportato"));
    return Outcome::Exported;
}

Status ContactsExport::writeFile(const QString& path)
{
    const Status written = writeWholeFile(path, [this](QIODevice* file) {
        Status status = ContactsCsv::writeHeader(file);
        const qsizetype total = m_cases.recordCount();
        for (qsizetype done = 1; status && !m_cases.eof(); ++done) {
            m_view.setProgressText(QString::number(m_cases.absolutePosition()) + QLatin1Char('/') +
                                   QString::number(total));
            m_view.showProgress(done, total);
            status = ContactsCsv::writeCase(file, m_cases);
            if (m_pump)
                m_pump();
            static_cast<void>(m_cases.moveNext()); // cannot fail before the end
        }
        return status;
    });
    if (!written)
        return Status::failure(QStringLiteral("Impossibile scrivere il file %1: %2")
                                   .arg(QDir::toNativeSeparators(path), written.errorText()));
    return written;
}
