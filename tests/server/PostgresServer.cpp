#include "server/PostgresServer.h"

#include "foundation/db/Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

#include <arpa/inet.h>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// ---------------------------------------------------------------------------------------------------------
// A test that crashes or is interrupted must not leave a server running: pg_ctl starts it as a daemon, so it would
// outlive the test process. The stop command of every running server is kept ready here, as plain C strings, for a
// signal handler to run with fork and execv (both safe inside a handler).

constexpr int GuardSlots = 8;
constexpr int GuardArguments = 12;
constexpr int GuardLength = 512;

struct GuardSlot {
    volatile std::sig_atomic_t used = 0;
    char text[GuardArguments][GuardLength] = {};
    char* argv[GuardArguments + 1] = {};
};
GuardSlot guardSlots[GuardSlots];

void stopGuardedServers()
{
    for (GuardSlot& slot : guardSlots) {
        if (!slot.used)
            continue;
        slot.used = 0;
        const pid_t child = fork();
        if (child == 0) {
            execv(slot.argv[0], slot.argv);
            _exit(127);
        }
        if (child > 0) {
            int status = 0;
            waitpid(child, &status, 0);
        }
    }
}

void onFatalSignal(int signal)
{
    stopGuardedServers();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

int guard(const QStringList& command)
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        std::atexit(stopGuardedServers);
        for (int signal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGPIPE, SIGABRT, SIGSEGV, SIGBUS, SIGFPE})
            std::signal(signal, onFatalSignal);
    }
    if (command.size() > GuardArguments)
        return -1;
    for (int at = 0; at < GuardSlots; ++at) {
        GuardSlot& slot = guardSlots[at];
        if (slot.used)
            continue;
        for (int i = 0; i < command.size(); ++i) {
            const QByteArray bytes = command.at(i).toLocal8Bit();
            if (bytes.size() >= GuardLength)
                return -1;
            std::memcpy(slot.text[i], bytes.constData(), size_t(bytes.size()) + 1);
            slot.argv[i] = slot.text[i];
        }
        slot.argv[command.size()] = nullptr;
        slot.used = 1;
        return at;
    }
    return -1;
}

void unguard(int at)
{
    if (at >= 0 && at < GuardSlots)
        guardSlots[at].used = 0;
}

// ---------------------------------------------------------------------------------------------------------

} // namespace

int PostgresServer::freePort()
{
    const int handle = ::socket(AF_INET, SOCK_STREAM, 0);
    if (handle < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(handle);
    return port;
}

namespace {

/// The folder of initdb and pg_ctl: PG_BINDIR when set, else Debian's newest /usr/lib/postgresql/N/bin, else the
/// PATH's.
QString binaryFolder()
{
    const QString configured = qEnvironmentVariable("PG_BINDIR");
    if (!configured.isEmpty())
        return configured;
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return a.toDouble() > b.toDouble(); });
    for (const QString& version : found) {
        const QString folder = versions.filePath(version + QStringLiteral("/bin"));
        if (QFileInfo(folder + QStringLiteral("/initdb")).isExecutable())
            return folder;
    }
    const QString initdb = QStandardPaths::findExecutable(QStringLiteral("initdb"));
    return initdb.isEmpty() ? QString() : QFileInfo(initdb).canonicalPath();
}

QString randomPassword()
{
    static const char alphabet[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QString password;
    for (int i = 0; i < 24; ++i)
        password += QLatin1Char(alphabet[QRandomGenerator::global()->bounded(int(sizeof(alphabet) - 1))]);
    return password;
}

} // namespace

PostgresServer::PostgresServer() = default;

PostgresServer::~PostgresServer()
{
    if (m_running)
        static_cast<void>(stop()); // best effort: a destructor has no one to tell
    unguard(m_guardSlot);
}

QString PostgresServer::socketFolder() const
{
    return m_folder ? m_folder->path() : QString();
}

QString PostgresServer::tool(const QString& name) const
{
    return m_binaries + QLatin1Char('/') + name;
}

Status PostgresServer::run(const QString& program, const QStringList& arguments, int timeoutMs) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList command = arguments;
    QString executable = program;
    if (m_asPostgresUser) {
        command = QStringList{QStringLiteral("-u"), user(), QStringLiteral("--"), program} + arguments;
        executable = QStringLiteral("runuser");
    }
    process.setWorkingDirectory(socketFolder());
    process.start(executable, command);
    const QString shown = QFileInfo(program).fileName();
    if (!process.waitForStarted())
        return Status::failure(QStringLiteral("%1 could not be started: %2").arg(executable, process.errorString()));
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return Status::failure(QStringLiteral("%1 did not finish within %2 s").arg(shown).arg(timeoutMs / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Status::failure(QStringLiteral("%1 failed (exit %2): %3")
                                   .arg(shown)
                                   .arg(process.exitCode())
                                   .arg(QString::fromLocal8Bit(process.readAll()).trimmed()));
    return Status::success();
}

Status PostgresServer::prepareFolder()
{
    m_asPostgresUser = ::geteuid() == 0;
    // A unix socket's path has room for little more than a hundred bytes; and the postgres user must be able to
    // reach the folder, which root's own temporary folder may not let it do.
    QString base = QDir::tempPath();
    if (base.size() > 60 || m_asPostgresUser)
        base = QStringLiteral("/tmp");
    m_folder = std::make_unique<QTemporaryDir>(base + QStringLiteral("/exp_nrv_pg-XXXXXX"));
    if (!m_folder->isValid())
        return Status::failure(QStringLiteral("no temporary folder for the server: ") + m_folder->errorString());
    if (!m_asPostgresUser)
        return Status::success();
    // PostgreSQL refuses to run as root: the folder and all in it belong to the postgres user.
    const passwd* account = ::getpwnam("postgres");
    if (!account)
        return Status::failure(QStringLiteral("the tests run as root and there is no `postgres` user to run the server "
                                              "(the Debian package postgresql makes it)"));
    if (::chown(QFile::encodeName(m_folder->path()).constData(), account->pw_uid, account->pw_gid) != 0)
        return Status::failure(QStringLiteral("cannot give %1 to the postgres user: %2")
                                   .arg(m_folder->path(), QString::fromLocal8Bit(std::strerror(errno))));
    if (QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
        return Status::failure(QStringLiteral("runuser (package util-linux) is missing"));
    return Status::success();
}

void PostgresServer::guardAgainstCrashes(bool serverRunning)
{
    // Should the test process die, its handler stops the server and removes the folder (as the folder's owner).
    const auto quoted = [](const QString& text) {
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    };
    QString script = QStringLiteral("rm -rf %1").arg(quoted(socketFolder()));
    if (serverRunning)
        script.prepend(
            QStringLiteral("%1 -D %2 -m immediate -w stop >/dev/null 2>&1; ")
                .arg(quoted(tool(QStringLiteral("pg_ctl"))), quoted(socketFolder() + QStringLiteral("/data"))));
    QStringList command = {QStringLiteral("/bin/sh"), QStringLiteral("-c"), script};
    if (m_asPostgresUser)
        command = QStringList{QStandardPaths::findExecutable(QStringLiteral("runuser")), QStringLiteral("-u"), user(),
                              QStringLiteral("--")} +
                  command;
    unguard(m_guardSlot);
    m_guardSlot = guard(command);
}

Status PostgresServer::start()
{
    if (m_running)
        return Status::success();
    m_binaries = binaryFolder();
    if (m_binaries.isEmpty() || !QFileInfo(tool(QStringLiteral("initdb"))).isExecutable() ||
        !QFileInfo(tool(QStringLiteral("pg_ctl"))).isExecutable())
        return Status::failure(QStringLiteral("PostgreSQL's initdb and pg_ctl were not found (install the Debian "
                                              "package postgresql, or set PG_BINDIR to their folder)"));
    if (!m_folder) {
        if (Status prepared = prepareFolder(); !prepared)
            return prepared;
        guardAgainstCrashes(false);
        m_password = randomPassword();
        const QString passwordFile = socketFolder() + QStringLiteral("/password");
        {
            QFile file(passwordFile);
            if (!file.open(QIODevice::WriteOnly) || file.write(m_password.toLatin1() + '\n') < 0)
                return Status::failure(QStringLiteral("cannot write %1: %2").arg(passwordFile, file.errorString()));
        }
        if (m_asPostgresUser) {
            const passwd* account = ::getpwnam("postgres");
            if (::chown(QFile::encodeName(passwordFile).constData(), account->pw_uid, account->pw_gid) != 0)
                return Status::failure(QStringLiteral("cannot give %1 to the postgres user").arg(passwordFile));
        }
        if (Status made = run(tool(QStringLiteral("initdb")),
                              {QStringLiteral("-D"), socketFolder() + QStringLiteral("/data"), QStringLiteral("-U"),
                               user(), QStringLiteral("--pwfile=") + passwordFile,
                               QStringLiteral("--auth=scram-sha-256"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                               QStringLiteral("--locale=C"), QStringLiteral("--no-sync")});
            !made)
            return Status::failure(QStringLiteral("initdb: ") + made.errorText());
    }
    Status started = Status::failure(QString());
    // Another process may take the free port between the choice and the start: try again with another.
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        m_port = freePort();
        if (m_port == 0)
            return Status::failure(QStringLiteral("no free TCP port on 127.0.0.1"));
        // The server is thrown away at the end: durability would only cost time.
        const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                               "-c full_page_writes=off -c synchronous_commit=off")
                                    .arg(m_port)
                                    .arg(socketFolder());
        started = run(tool(QStringLiteral("pg_ctl")),
                      {QStringLiteral("-D"), socketFolder() + QStringLiteral("/data"), QStringLiteral("-l"),
                       socketFolder() + QStringLiteral("/server.log"), QStringLiteral("-w"), QStringLiteral("-t"),
                       QStringLiteral("60"), QStringLiteral("-o"), options, QStringLiteral("start")});
    }
    if (!started)
        return Status::failure(QStringLiteral("pg_ctl start: ") + started.errorText() + QStringLiteral("\n") +
                               logTail());
    m_running = true;
    guardAgainstCrashes(true);
    return Status::success();
}

Status PostgresServer::stop(bool immediately)
{
    if (!m_running)
        return Status::success();
    const Status stopped =
        run(tool(QStringLiteral("pg_ctl")),
            {QStringLiteral("-D"), socketFolder() + QStringLiteral("/data"), QStringLiteral("-m"),
             immediately ? QStringLiteral("immediate") : QStringLiteral("fast"), QStringLiteral("-w"),
             QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("stop")});
    if (!stopped)
        return Status::failure(QStringLiteral("pg_ctl stop: ") + stopped.errorText());
    m_running = false;
    guardAgainstCrashes(false);
    return Status::success();
}

Status PostgresServer::execute(const QString& database, const QStringList& statements)
{
    if (!m_running)
        return Status::failure(QStringLiteral("the PostgreSQL server is not running"));
    const QString name = QStringLiteral("postgres-admin-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    Status status = Status::success();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(socketFolder());
        db.setPort(m_port);
        db.setDatabaseName(database);
        db.setUserName(user());
        db.setPassword(m_password);
        if (!db.open()) {
            status = Status::failure(
                QStringLiteral("cannot connect to %1: %2").arg(database, db::driverText(db.lastError())));
        } else {
            QSqlQuery query(db);
            for (const QString& sql : statements) {
                if (!query.exec(sql)) {
                    status = Status::failure(QStringLiteral("%1: %2").arg(sql, db::driverText(query.lastError())));
                    break;
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return status;
}

Status PostgresServer::createDatabase(const QString& name)
{
    return execute(QStringLiteral("postgres"), {QStringLiteral("create database \"%1\"").arg(name)});
}

QString PostgresServer::connectionString(const QString& database) const
{
    return QStringLiteral("Provider=PostgreSQL;Host=%1;Port=%2;Database=%3;User ID=%4;Password=%5")
        .arg(socketFolder())
        .arg(m_port)
        .arg(database, user(), m_password);
}

QString PostgresServer::odbcConnectionString(const QString& database) const
{
    return QStringLiteral("Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=%1;Database=%2;Uid=%3;Pwd=%4")
        .arg(m_port)
        .arg(database, user(), m_password);
}

QString PostgresServer::logTail() const
{
    QFile file(socketFolder() + QStringLiteral("/server.log"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(no server log)");
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
    return QStringLiteral("server log:\n") +
           lines.mid(std::max<qsizetype>(0, lines.size() - 15)).join(QLatin1Char('\n'));
}
