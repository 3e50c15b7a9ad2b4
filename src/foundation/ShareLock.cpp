#include "foundation/ShareLock.h"

#include "foundation/Windows1252.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString SinceFormat = QStringLiteral("dd/MM/yyyy hh:mm:ss");

enum class SystemLock { Taken, Held, Unsupported };

/// Locks the whole file for this open file alone, without waiting. Unlike a classic POSIX lock, which belongs to the
/// whole process, it conflicts with another open file of the same process, and closing another descriptor of the
/// file does not drop it.
SystemLock lockSystem(int fd)
{
#ifdef F_OFD_SETLK
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &whole) == 0)
        return SystemLock::Taken;
#else
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return SystemLock::Taken;
#endif
    return errno == EAGAIN || errno == EACCES || errno == EWOULDBLOCK ? SystemLock::Held : SystemLock::Unsupported;
}

/// Whether the open file is still the one at `path`: a holder giving the lock back removes the file first.
bool isFileAt(int fd, const QString& path)
{
    // Opening the name again, rather than asking for its status, makes a network share look it up afresh.
    const int named = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (named < 0)
        return false;
    struct stat held = {};
    struct stat found = {};
    const bool same = ::fstat(fd, &held) == 0 && ::fstat(named, &found) == 0 && held.st_dev == found.st_dev &&
                      held.st_ino == found.st_ino;
    ::close(named);
    return same;
}

bool isRunning(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QString userName()
{
    if (const passwd* entry = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty())
            return name;
    }
    return QString();
}

QByteArray textOf(const ShareLock::Holder& holder)
{
    return Windows1252::encode(
        QStringLiteral("Utente=%1\r\nComputer=%2\r\nProcesso=%3\r\nDal=%4\r\n")
            .arg(holder.user, holder.host, QString::number(holder.pid), holder.since.toString(SinceFormat)));
}

ShareLock::Holder holderOf(const QByteArray& bytes)
{
    ShareLock::Holder holder;
    for (const QString& line : Windows1252::splitLines(Windows1252::decode(bytes))) {
        const QString key = line.section(QLatin1Char('='), 0, 0);
        const QString value = line.section(QLatin1Char('='), 1);
        if (key == QLatin1String("Utente"))
            holder.user = value;
        else if (key == QLatin1String("Computer"))
            holder.host = value;
        else if (key == QLatin1String("Processo"))
            holder.pid = value.toLongLong();
        else if (key == QLatin1String("Dal"))
            holder.since = QDateTime::fromString(value, SinceFormat);
    }
    return holder;
}

/// Who holds the lock of the open file. The holder writes it just after taking the lock: a file caught empty is
/// read again a few times.
ShareLock::Holder readHolder(int fd)
{
    constexpr qsizetype Bound = 4096; // a few short lines; anything longer is not this program's
    for (int attempt = 0; attempt < 10; ++attempt) {
        QByteArray bytes(Bound, '\0');
        const ssize_t read = ::pread(fd, bytes.data(), size_t(bytes.size()), 0);
        if (read > 0) {
            bytes.truncate(read);
            return holderOf(bytes);
        }
        QThread::msleep(20);
    }
    return {};
}

bool writeHolder(int fd, const ShareLock::Holder& holder)
{
    const QByteArray bytes = textOf(holder);
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0) != bytes.size())
        return false;
    ::fsync(fd);
    return true;
}

} // namespace

ShareLock::Holder ShareLock::Holder::thisProcess(const QDateTime& since)
{
    return {userName(), QSysInfo::machineHostName(), QCoreApplication::applicationPid(), since};
}

ShareLock::ShareLock(QString localPath) : m_path(std::move(localPath)) {}

ShareLock::State ShareLock::fail(int error)
{
    m_error = qt_error_string(error);
    return State::Failed;
}

ShareLock::State ShareLock::tryLock(const Holder& me)
{
    if (m_fd >= 0)
        return State::Taken;
    const QByteArray name = QFile::encodeName(m_path);
    // The holder may give the lock back, or another process take over a dead one's, while this one looks: each
    // round starts again from the name.
    for (int round = 0; round < 10; ++round) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        const bool created = fd >= 0;
        if (!created) {
            if (errno != EEXIST)
                return fail(errno);
            fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
            if (fd < 0 && errno == ENOENT)
                continue;
            if (fd < 0)
                return fail(errno);
        }
        const SystemLock system = lockSystem(fd);
        bool held = system == SystemLock::Held;
        // Without system locks only the holder's own machine can tell that it is gone.
        if (!created && system == SystemLock::Unsupported) {
            const Holder holder = readHolder(fd);
            held = holder.host != me.host || isRunning(holder.pid);
        }
        if (held) {
            m_holder = readHolder(fd);
            ::close(fd);
            return State::Held;
        }
        if (!created && !isFileAt(fd, m_path)) {
            ::close(fd);
            continue;
        }
        if (!writeHolder(fd, me)) {
            const int error = errno;
            ::unlink(name.constData());
            ::close(fd);
            return fail(error);
        }
        m_fd = fd;
        m_holder = me;
        return State::Taken;
    }
    m_error = QStringLiteral("il file è preso e lasciato di continuo da altri");
    return State::Failed;
}

void ShareLock::unlock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that no one takes over a file on its way out.
    if (isFileAt(m_fd, m_path))
        ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}
