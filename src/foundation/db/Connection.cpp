#include "foundation/db/Connection.h"

#include "foundation/db/ConnectionString.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlIndex>
#include <QVariant>

namespace db {

namespace {

QString uniqueName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("exp_nrv_xml-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

} // namespace

QString driverText(const QSqlError& error)
{
    QString database = error.databaseText().trimmed();
    // QPSQL closes its text with the SQLSTATE in brackets, which are empty when the connection itself was lost.
    if (database.endsWith(QLatin1String("()")))
        database = database.chopped(2).trimmed();
    const QString driver = error.driverText().trimmed();
    if (database.isEmpty())
        return driver.isEmpty() ? error.text() : driver;
    if (driver.isEmpty() || database.contains(driver))
        return database;
    return database + QStringLiteral(" (") + driver + QLatin1Char(')');
}

QString refusedText(const Status& refusal)
{
    return QStringLiteral("Il comando SQL non è stato eseguito: ") + refusal.errorText() + QLatin1Char('.');
}

Connection::Connection() : m_name(uniqueName()) {}

Connection::~Connection()
{
    close();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

bool Connection::state() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

Status Connection::open(const QString& connectionString)
{
    const Result<ConnectionTarget> target = resolveConnectionString(connectionString);
    if (!target)
        return target.status();
    if (target->qtDriver == QLatin1String("QSQLITE") && !QFileInfo(target->databaseName).isFile()) {
        // SQLite would create an empty database where the suite's one is missing.
        if (QFileInfo(target->databaseName).isDir())
            return Status::failure(
                QStringLiteral("Il database %1 è una cartella, non un file: controllare la Data Source della stringa "
                               "di connessione.")
                    .arg(target->description));
        return Status::failure(QStringLiteral("Il database %1 non esiste.").arg(target->description));
    }
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
    QSqlDatabase db = QSqlDatabase::addDatabase(target->qtDriver, m_name);
    db.setDatabaseName(target->databaseName);
    if (!target->host.isEmpty())
        db.setHostName(target->host);
    if (target->port > 0)
        db.setPort(target->port);
    db.setUserName(target->userName);
    db.setPassword(target->password);
    if (target->qtDriver == QLatin1String("QSQLITE"))
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    // A server that does not answer would otherwise hold the operator at start-up for as long as TCP tries.
    if (target->qtDriver == QLatin1String("QPSQL"))
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    if (!db.open()) {
        const QString text = driverText(db.lastError());
        return Status::failure(QStringLiteral("Impossibile aprire il database %1: %2").arg(target->description, text));
    }
    m_dialect = target->dialect;
    m_description = target->description;
    return Status::success();
}

void Connection::close()
{
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
}

QString Connection::primaryKeyOf(const QString& table)
{
    const QSqlIndex index = database().primaryIndex(table);
    return index.count() == 1 ? index.fieldName(0) : QString();
}

} // namespace db
