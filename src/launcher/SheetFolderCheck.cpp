#include "launcher/SheetFolderCheck.h"

#include "foundation/DriveMapping.h"
#include "foundation/SuitePaths.h"
#include "foundation/ports/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

// On a machine just set up, the usual cause is a drive that stands for no folder yet: say which folder it is.
QString missingDrive(const QString& suitePath)
{
    const QChar letter = suitePath.at(0).toUpper();
    const QString drive = DriveMapping::driveFolder(letter);
    if (QFileInfo(drive).isDir())
        return QString();
    return QStringLiteral("\nIl disco %1: è la cartella %2, che non esiste: indicarne un'altra con la variabile "
                          "KV32_DRIVE_%1 o crearla.")
        .arg(letter)
        .arg(QDir::toNativeSeparators(drive));
}

} // namespace

bool checkSheetFolder(Dialogs& dialogs)
{
    const QString folder = SuitePaths::sheetFolder();
    QFile probe(DriveMapping::toLocalPath(folder + QStringLiteral("\\temp.tmp")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        return true;
    }
    std::error_code error;
    const std::filesystem::path local(DriveMapping::toLocalPath(folder).toStdString());
    if (std::filesystem::create_directory(local, error) && !error) {
        dialogs.message(QStringLiteral("Creata Cartella Diagnosis Sheet sul Server"));
        return true;
    }
    // A folder that is there but takes no file: the probe's own failure says why.
    const QString cause = error ? QString::fromStdString(error.message()) : probe.errorString();
    dialogs.message(cause + QStringLiteral(" nel creare la cartella ") + folder + missingDrive(folder));
    return false;
}
