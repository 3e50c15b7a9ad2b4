#include "launcher/SaveFile.h"

#include <QDir>
#include <QFileInfo>

Status writeWholeFile(const QString& path, const std::function<Status(QIODevice*)>& write)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return Status::failure(
            QStringLiteral("la cartella %1 non esiste e non si può creare").arg(QDir::toNativeSeparators(folder)));
    SaveFile file(path);
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
