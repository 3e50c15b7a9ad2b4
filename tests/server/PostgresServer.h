#pragma once

#include "foundation/Status.h"
#include "foundation/db/Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

/// A throwaway PostgreSQL server: a cluster made with initdb in a folder of its own under /tmp, listening on a unix
/// socket in that folder and on a free TCP port of 127.0.0.1, with password authentication, started and stopped with
/// pg_ctl. As root the tools run as the `postgres` user, since PostgreSQL refuses to run as root. A watchman process
/// stops the server and removes the folder when this process ends without doing so (a crash, a kill).
class PostgresServer {
public:
    PostgresServer() = default;
    ~PostgresServer()
    {
        if (m_running)
            static_cast<void>(stop()); // best effort: a destructor has no one to tell
        if (!m_folder.isEmpty())
            QDir(m_folder).removeRecursively();
    }
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    /// Makes the cluster and starts it; the failure says which step failed and what the tool printed.
    Status start()
    {
        m_binaries = binaryFolder();
        if (!QFileInfo(m_binaries + QStringLiteral("/initdb")).isExecutable())
            return Status::failure(QStringLiteral("PostgreSQL's initdb and pg_ctl were not found (install the Debian "
                                                  "package postgresql, or set PG_BINDIR to their folder)"));
        // Made by the server's user, who must own it; a unix socket's path has room for little more than 100 bytes.
        const Result<QString> folder =
            run({QStringLiteral("mktemp"), QStringLiteral("-d"), QStringLiteral("/tmp/exp_nrv_pg-XXXXXX")});
        if (!folder)
            return folder.status();
        m_folder = *folder;
        // Should this process die first, the watchman stops the server and removes the folder.
        const QString watchman =
            QStringLiteral("exec </dev/null >/dev/null 2>&1; while [ -d /proc/%1 ]; do sleep 1; done; "
                           "'%2/pg_ctl' -D '%3/data' -m immediate stop; rm -rf '%3'")
                .arg(::getpid())
                .arg(m_binaries, m_folder);
        QStringList guard = asServerUser({QStringLiteral("/bin/sh"), QStringLiteral("-c"), watchman});
        if (!QProcess::startDetached(guard.takeFirst(), guard))
            return Status::failure(QStringLiteral("the watchman of the server could not be started"));

        m_password = QUuid::createUuid().toString(QUuid::Id128);
        const QString passwordFile = m_folder + QStringLiteral("/password");
        // Written by this process, read by initdb as the server's user.
        if (QFile file(passwordFile); !file.open(QIODevice::WriteOnly) || file.write(m_password.toLatin1()) < 0 ||
                                      !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther))
            return Status::failure(QStringLiteral("cannot write %1: %2").arg(passwordFile, file.errorString()));
        const QStringList initdb =
            QStringLiteral("-U %1 --auth=scram-sha-256 -E UTF8 --locale=C --no-sync").arg(user()).split(' ');
        if (const Result<QString> made =
                run(QStringList{m_binaries + QStringLiteral("/initdb"), QStringLiteral("-D"),
                                m_folder + QStringLiteral("/data"), QStringLiteral("--pwfile=") + passwordFile} +
                    initdb);
            !made)
            return made.status();
        Status started = Status::failure(QStringLiteral("no free TCP port on 127.0.0.1"));
        // Another process may take the free port between the choice and the start: try again with another.
        for (int attempt = 0; attempt < 3 && !started && (m_port = freePort()) > 0; ++attempt) {
            // The server is thrown away at the end: durability would only cost time.
            const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                                   "-c full_page_writes=off -c synchronous_commit=off")
                                        .arg(m_port)
                                        .arg(m_folder);
            started = pgCtl({QStringLiteral("-l"), m_folder + QStringLiteral("/server.log"), QStringLiteral("-o"),
                             options, QStringLiteral("start")});
        }
        if (!started) {
            QFile log(m_folder + QStringLiteral("/server.log"));
            return Status::failure(
                started.errorText() + QStringLiteral("\nserver log:\n") +
                QString::fromLocal8Bit(log.open(QIODevice::ReadOnly) ? log.readAll().right(2000) : "none"));
        }
        m_running = true;
        return Status::success();
    }
    /// Stops the server; `immediately` drops every connection at once, as a server that goes away does.
    Status stop(bool immediately = false)
    {
        if (!m_running)
            return Status::success();
        const Status stopped =
            pgCtl({QStringLiteral("-m"), immediately ? QStringLiteral("immediate") : QStringLiteral("fast"),
                   QStringLiteral("stop")});
        m_running = !stopped;
        return stopped;
    }
    bool running() const { return m_running; }

    Status createDatabase(const QString& name)
    {
        db::Connection connection;
        if (Status opened = connection.open(connectionString(QStringLiteral("postgres"))); !opened)
            return opened;
        QSqlQuery query(connection.database());
        if (!query.exec(QStringLiteral("create database \"%1\"").arg(name)))
            return Status::failure(
                QStringLiteral("create database %1: %2").arg(name, db::driverText(query.lastError())));
        return Status::success();
    }

    const QString& socketFolder() const { return m_folder; }
    int port() const { return m_port; }
    static QString user() { return QStringLiteral("postgres"); }
    const QString& password() const { return m_password; }

    /// The program's connection string for QPSQL, through the unix socket.
    QString connectionString(const QString& database) const
    {
        return QStringLiteral("Provider=PostgreSQL;Host=%1;Port=%2;Database=%3;User ID=%4;Password=%5")
            .arg(m_folder)
            .arg(m_port)
            .arg(database, user(), m_password);
    }
    /// The program's connection string for ODBC with Debian's PostgreSQL driver, through TCP.
    QString odbcConnectionString(const QString& database) const
    {
        return QStringLiteral("Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=%1;Database=%2;Uid=%3;Pwd=%4")
            .arg(m_port)
            .arg(database, user(), m_password);
    }

    /// A TCP port of 127.0.0.1 that nothing listens on right now (0 when there is none).
    static int freePort()
    {
        const int handle = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        const bool bound = handle >= 0 && ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                           ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        if (handle >= 0)
            ::close(handle);
        return bound ? ntohs(address.sin_port) : 0;
    }

private:
    /// The command as the server's user: PostgreSQL refuses to run as root.
    static QStringList asServerUser(const QStringList& command)
    {
        return ::geteuid() != 0 ? command
                                : QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), PostgresServer::user(),
                                              QStringLiteral("--")} +
                                      command;
    }
    /// PG_BINDIR when set, else Debian's newest /usr/lib/postgresql/N/bin.
    static QString binaryFolder()
    {
        if (qEnvironmentVariableIsSet("PG_BINDIR"))
            return qEnvironmentVariable("PG_BINDIR");
        int newest = 0;
        for (const QString& version :
             QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            newest = std::max(newest, version.toInt());
        return newest ? QStringLiteral("/usr/lib/postgresql/%1/bin").arg(newest) : QString();
    }
    /// Runs a command (as the server's user when root); its output, or a failure naming it with its output.
    Result<QString> run(QStringList command) const
    {
        command = asServerUser(command);
        const QString shown = command.join(QLatin1Char(' '));
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.takeFirst(), command);
        if (!process.waitForStarted())
            return Status::failure(QStringLiteral("%1 could not be started: %2").arg(shown, process.errorString()));
        const bool finished = process.waitForFinished(120000);
        const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            process.kill();
            return Status::failure(
                QStringLiteral("%1 failed (exit %2): %3").arg(shown).arg(process.exitCode()).arg(output));
        }
        return output;
    }
    Status pgCtl(const QStringList& arguments) const
    {
        const Result<QString> done = run(QStringList{m_binaries + QStringLiteral("/pg_ctl"), QStringLiteral("-D"),
                                                     m_folder + QStringLiteral("/data"), QStringLiteral("-w")} +
                                         arguments);
        return done ? Status::success() : done.status();
    }

    QString m_binaries;
    QString m_folder;
    QString m_password;
    int m_port = 0;
    bool m_running = false;
};
