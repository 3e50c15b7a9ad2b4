#pragma once

#include "foundation/Status.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

/// A throwaway PostgreSQL server for one test run: a cluster made with initdb in a temporary folder, listening on
/// a unix socket in that folder and on a free TCP port of 127.0.0.1, with password authentication, started and
/// stopped with pg_ctl. The server runs as the `postgres` user when the tests run as root (PostgreSQL refuses to run
/// as root), and is stopped when the object goes, or when the process ends on a signal.
class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    /// Makes the cluster and starts it; the failure says which step failed and what the tool printed.
    Status start();
    /// Stops the server; `immediately` drops every connection at once, as a server that goes away does.
    Status stop(bool immediately = false);
    bool running() const { return m_running; }

    /// Creates an empty database.
    Status createDatabase(const QString& name);
    /// Runs statements on a database as the administrator, stopping at the first failure.
    Status execute(const QString& database, const QStringList& statements);

    QString socketFolder() const;
    int port() const { return m_port; }
    static QString user() { return QStringLiteral("postgres"); }
    const QString& password() const { return m_password; }

    /// The program's connection string for QPSQL, through the unix socket.
    QString connectionString(const QString& database) const;
    /// The program's connection string for ODBC with Debian's PostgreSQL driver, through TCP.
    QString odbcConnectionString(const QString& database) const;

    /// The last lines of the server's log, for a failure's message.
    QString logTail() const;

    /// A TCP port of 127.0.0.1 that nothing listens on right now (0 when there is none).
    static int freePort();

private:
    Status prepareFolder();
    /// Keeps ready what a dying test process must undo: the server stopped (when it runs) and the folder removed.
    void guardAgainstCrashes(bool serverRunning);
    Status run(const QString& program, const QStringList& arguments, int timeoutMs = 120000) const;
    QString tool(const QString& name) const;

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_binaries;
    QString m_password;
    int m_port = 0;
    bool m_asPostgresUser = false;
    bool m_running = false;
    int m_guardSlot = -1;
};
