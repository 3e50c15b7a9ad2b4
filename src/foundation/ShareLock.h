#pragma once

#include <QDateTime>
#include <QString>

/// A lock that the workstations sharing a drive take by creating one small file beside what it guards; the file
/// says who holds the lock.
///
/// The file is created exclusively and, while the lock is held, kept under a system lock of its own open file. The
/// system lock goes with the process that holds it, however that process ends: the kernel drops it on the same
/// machine, the share's server when a workstation's program dies or the workstation goes away. A lock file whose
/// system lock is free was therefore left by a dead process, and it is taken over. On a share that keeps no system
/// locks the file alone holds, and a dead process's file is recognised only on its own machine, by its process.
class ShareLock {
public:
    /// Who holds a lock, as its file says; empty texts when the file says nothing.
    struct Holder {
        QString user;
        QString host;
        qint64 pid = 0;
        QDateTime since;

        /// This process, holding from `since`.
        static Holder thisProcess(const QDateTime& since);
    };
    enum class State { Taken, Held, Failed };

    /// The lock of the file at `localPath`, not taken yet.
    explicit ShareLock(QString localPath);
    ~ShareLock() { unlock(); }
    ShareLock(const ShareLock&) = delete;
    ShareLock& operator=(const ShareLock&) = delete;

    /// Takes the lock for `me`, without waiting. Held: another process holds it (holder() says who); Failed: the
    /// file could not be made (errorString() says why).
    State tryLock(const Holder& me);
    /// Gives the lock back, removing its file; nothing when it is not taken.
    void unlock();

    const QString& path() const { return m_path; }
    const Holder& holder() const { return m_holder; }
    const QString& errorString() const { return m_error; }

private:
    State fail(int error);

    QString m_path;
    int m_fd = -1;
    Holder m_holder;
    QString m_error;
};
