#pragma once

#include "foundation/Status.h"

#include <QString>
#include <QStringList>

/// A throwaway PostgreSQL server: a cluster made with initdb in a folder of its own under /tmp, listening on a unix
/// socket in that folder and on a free TCP port of 127.0.0.1, with password authentication, started and stopped with
/// pg_ctl. As root the tools run as the `postgres` user, since PostgreSQL refuses to run as root. A watchman process
/// stops the server and removes the folder when this process ends without doing so (a crash, a kill).
class PostgresServer {
public:
    PostgresServer() = default;
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    /// Makes the cluster and starts it; the failure says which step failed and what the tool printed.
    Status start();
    /// Stops the server; `immediately` drops every connection at once, as a server that goes away does.
    Status stop(bool immediately = false);
    bool running() const { return m_running; }

    Status createDatabase(const QString& name);

    const QString& socketFolder() const { return m_folder; }
    int port() const { return m_port; }
    static QString user() { return QStringLiteral("postgres"); }
    const QString& password() const { return m_password; }

    /// The program's connection string for QPSQL, through the unix socket.
    QString connectionString(const QString& database) const;
    /// The program's connection string for ODBC with Debian's PostgreSQL driver, through TCP.
    QString odbcConnectionString(const QString& database) const;

    /// A TCP port of 127.0.0.1 that nothing listens on right now (0 when there is none).
    static int freePort();

private:
    /// Runs a command (as the server's user when root); its output, or a failure naming it with its output.
    Result<QString> run(QStringList command) const;
    Status pgCtl(const QStringList& arguments) const;

    QString m_binaries;
    QString m_folder;
    QString m_password;
    int m_port = 0;
    bool m_running = false;
};
