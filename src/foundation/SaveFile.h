#pragma once

#include "foundation/Status.h"

#include <QSaveFile>

#include <functional>

/// A file written aside and put in place whole, or not at all, as QSaveFile promises, with two of its gaps closed
/// (Qt 6.4), both seen when a disk fills up during a write:
/// - commit() put the file in place even when the bytes still in its buffer failed to go out, leaving a file cut
///   short under the final name and reporting success; here they are written out first;
/// - a write that the disk took only in part left Qt without the system's reason ("Unknown error"); the part not
///   taken is tried once more, which gives it ("No space left on device", "File too large").
class SaveFile : public QSaveFile {
public:
    using QSaveFile::QSaveFile;

    /// A symbolic link at the file's name is replaced by the file, its target left as it was. Qt writes through
    /// links, which suits the suite's files on the shared drive, where a link is the administrator's choice; on the
    /// operator's desktop a link would send the file somewhere else and overwrite what is there.
    void setReplacesLink(bool replaces) { m_replacesLink = replaces; }

    bool open(OpenMode mode) override;
    bool commit();

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        qint64 written = QSaveFile::writeData(data, size);
        if (written < 0) {
            flush();
        } else if (written < size) {
            const qint64 more = QSaveFile::writeData(data + written, size - written);
            if (more > 0)
                written += more;
        }
        return written;
    }

private:
    bool m_replacesLink = false;
    /// The link to replace: the file is put in place under a name of its own beside it, then renamed over it.
    QString m_link;
};

/// Makes the file's folder when it is missing, writes the file aside through `write` and puts it in place only when
/// the whole of it is written: on a failure an earlier file of the name stays whole. For the operator's own files: a
/// link at the name is replaced. The failure is the cause alone, for the caller to say which file it was.
Status writeWholeFile(const QString& path, const std::function<Status(QIODevice*)>& write);
