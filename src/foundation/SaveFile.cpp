#include "foundation/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

bool SaveFile::open(OpenMode mode)
{
    if (m_replacesLink && QFileInfo(fileName()).isSymLink()) {
        m_link = fileName();
        const QFileInfo link(m_link);
        setFileName(link.absolutePath() + QStringLiteral("/.") + link.fileName() + QLatin1Char('.') +
                    QString::number(QRandomGenerator::global()->generate64(), 36));
    }
    return QSaveFile::open(mode);
}

bool SaveFile::commit()
{
    if (!flush()) {
        flush();
        const QString cause = errorString();
        cancelWriting();
        setErrorString(cause);
        return false;
    }
    if (!QSaveFile::commit())
        return false;
    if (m_link.isEmpty())
        return true;
    // A rename replaces the link itself, where Qt would have followed it.
    if (std::rename(QFile::encodeName(fileName()).constData(), QFile::encodeName(m_link).constData()) == 0)
        return true;
    const QString cause = qt_error_string(errno);
    QFile::remove(fileName());
    setErrorString(cause);
    return false;
}

Status writeWholeFile(const QString& path, const std::function<Status(QIODevice*)>& write)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return Status::failure(
            QStringLiteral("la cartella %1 non esiste e non si può creare").arg(QDir::toNativeSeparators(folder)));
    SaveFile file(path);
    file.setReplacesLink(true);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(file.errorString());
    if (const Status written = write(&file); !written) {
        file.cancelWriting();
        return written;
    }
    if (!file.commit())
        return Status::failure(file.errorString());
    return Status::success();
}
