#pragma once

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/types.h>

class QProcess;

// Faults the operating system itself gives, made for one test and undone at its end: a small filesystem that
// fills up, a limit on the size of the files written, a place that cannot be written.

/// A tmpfs of `size` (mount's notation, "64k") mounted on an existing folder, which it hides; unmounted at the end
/// even when a file on it is still open. Mounting needs the administrator's right (CAP_SYS_ADMIN).
class SmallFilesystem {
public:
    SmallFilesystem(const QString& folder, const char* size);
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    /// Why the filesystem is not there, empty when it is.
    const QString& refused() const { return m_refused; }
    /// Takes all the free space but `freeBytes` with a file named ".filler".
    void fillLeaving(qint64 freeBytes) const;

private:
    QString m_folder;
    QString m_refused;
};

/// A folder or a file made read-only for one test. The administrator passes every permission check, so for them it
/// is a read-only bind mount of the place onto itself; anyone else gets a folder without write permissions (a file
/// its owner can always make writable again, so that is refused).
class ReadOnlyPlace {
public:
    explicit ReadOnlyPlace(const QString& path);
    ~ReadOnlyPlace();
    ReadOnlyPlace(const ReadOnlyPlace&) = delete;
    ReadOnlyPlace& operator=(const ReadOnlyPlace&) = delete;

    const QString& refused() const { return m_refused; }

private:
    QString m_path;
    QString m_refused;
    bool m_mounted = false;
    bool m_chmodded = false;
    mode_t m_mode = 0;
};

/// Writes past `bytes` in any file of this process fail with EFBIG ("File too large"), as on a full disk; needs no
/// right at all. SIGXFSZ, which would kill the process, is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

/// Starts `program` as a shell does after "ulimit -f": its writes past `bytes` fail, and SIGXFSZ has its default
/// action, which kills it, unless the program itself ignores the signal.
void limitFileSizeOf(QProcess& program, rlim_t bytes);

/// "name size sha1" of every file of a folder, hidden ones too: what a failure must leave as it found.
QStringList filesOf(const QString& folder);

/// How many of this process's open files are the file at `path`.
int openDescriptorsOf(const QString& path);

/// Skips the test when the fault could not be made, saying why.
#define SKIP_WITHOUT(fault)                                                                                            \
    if (!(fault).refused().isEmpty())                                                                                  \
    GTEST_SKIP() << (fault).refused().toStdString()
