#include "support/OsFaults.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

SmallFilesystem::SmallFilesystem(const QString& folder, const char* size) : m_folder(folder)
{
    const QByteArray options = QByteArray("size=") + size;
    if (mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) != 0)
        m_refused = systemError("mount tmpfs") + QStringLiteral(" (mounting needs root or CAP_SYS_ADMIN)");
}

SmallFilesystem::~SmallFilesystem()
{
    EXPECT_TRUE(!m_refused.isEmpty() || umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH) == 0)
        << std::strerror(errno);
}

void SmallFilesystem::fillLeaving(qint64 freeBytes) const
{
    struct statvfs space {};
    ASSERT_EQ(statvfs(QFile::encodeName(m_folder).constData(), &space), 0);
    const qint64 available = qint64(space.f_bavail) * qint64(space.f_frsize);
    ASSERT_GT(available, freeBytes);
    QFile filler(m_folder + QStringLiteral("/.filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    ASSERT_EQ(filler.write(QByteArray(available - freeBytes, 'x')), available - freeBytes);
    ASSERT_TRUE(filler.flush());
}

ReadOnlyPlace::ReadOnlyPlace(const QString& path) : m_path(path)
{
    const QByteArray local = QFile::encodeName(path);
    if (geteuid() != 0) {
        if (!QFileInfo(path).isDir()) {
            m_refused = QStringLiteral("only the administrator can make a file read-only to its owner (a mount)");
            return;
        }
        struct stat status {};
        m_chmodded = stat(local.constData(), &status) == 0 && chmod(local.constData(), 0555) == 0;
        m_mode = status.st_mode & 07777;
        if (!m_chmodded)
            m_refused = systemError("chmod 0555");
        return;
    }
    if (mount(local.constData(), local.constData(), nullptr, MS_BIND, nullptr) != 0) {
        m_refused = systemError("bind mount");
        return;
    }
    m_mounted = true;
    if (mount(nullptr, local.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        m_refused = systemError("remount read-only");
}

ReadOnlyPlace::~ReadOnlyPlace()
{
    const QByteArray local = QFile::encodeName(m_path);
    EXPECT_TRUE(!m_mounted || umount2(local.constData(), MNT_DETACH) == 0) << std::strerror(errno);
    if (m_chmodded)
        chmod(local.constData(), m_mode);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0) << std::strerror(errno);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_handler);
}

void limitFileSizeOf(QProcess& program, rlim_t bytes)
{
    // Runs in the child between fork and exec: only calls that are safe there.
    program.setChildProcessModifier([bytes] {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
    });
}

QStringList filesOf(const QString& folder)
{
    QStringList files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        QFile file(dir.filePath(name));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
        const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12);
        files.append(QStringLiteral("%1 %2 %3").arg(name).arg(bytes.size()).arg(QString::fromLatin1(digest)));
    }
    return files;
}

int openDescriptorsOf(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    for (QDirIterator fds(QStringLiteral("/proc/self/fd"), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
         fds.hasNext();)
        count += QFileInfo(fds.next()).symLinkTarget() == target ? 1 : 0;
    return count;
}
