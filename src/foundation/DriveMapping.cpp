#include "foundation/DriveMapping.h"

#include <QDir>
#include <QStandardPaths>

namespace DriveMapping {

bool hasDriveLetter(const QString& path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter() && path.at(0).unicode() < 128;
}

QString driveFolder(QChar letter)
{
    const QChar drive = letter.toUpper();
    const QByteArray variable = QByteArrayLiteral("KV32_DRIVE_") + char(drive.unicode());
    const QString configured = qEnvironmentVariable(variable.constData());
    if (!configured.isEmpty())
        return QDir::cleanPath(configured);
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return dataHome + QStringLiteral("/exp_nrv_xml/drives/") + drive;
}

QString toLocalPath(const QString& suitePath)
{
#ifdef Q_OS_WIN
    return suitePath;
#else
    if (!hasDriveLetter(suitePath))
        return suitePath;
    QString rest = suitePath.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    const QString root = driveFolder(suitePath.at(0));
    return rest.isEmpty() ? root : root + QLatin1Char('/') + rest;
#endif
}

} // namespace DriveMapping
