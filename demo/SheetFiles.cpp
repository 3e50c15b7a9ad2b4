#include "demo/SheetFiles.h"

#include "ds/SheetStore.h"

#include <QDir>
#include <QFile>

namespace demo {

SheetFiles::SheetFiles(QString folder) : m_folder(std::move(folder))
{
    // Unsorted is directory order, in which removing is fastest.
    const QStringList files = QDir(m_folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Unsorted);
    for (const QString& name : files) {
        bool number = false;
        name.chopped(4).toInt(&number);
        if (number)
            m_old.append(name);
    }
}

Status SheetFiles::addSheet(int contatore, const DiagnosisSheet& sheet)
{
    const QByteArray bytes = SheetStore::fileBytes(sheet);
    const QString name = QString::number(contatore) + QStringLiteral(".txt");
    QFile file(m_folder + QLatin1Char('/') + name);
    // A full disk shows only when the buffered bytes go out.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        return Status::failure(QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
    file.close();
    if (!m_old.isEmpty())
        m_written.insert(name);
    return Status::success();
}

Status SheetFiles::removeLeftovers()
{
    QDir dir(m_folder);
    for (const QString& name : std::as_const(m_old)) {
        if (!m_written.contains(name) && !dir.remove(name))
            return Status::failure(QStringLiteral("Cannot remove the old sheet ") + dir.filePath(name));
    }
    m_old.clear();
    m_written.clear();
    return Status::success();
}

} // namespace demo
