#include "launcher/SheetFolderCheck.h"

#include "launcher/DriveMapping.h"
#include "launcher/SuitePaths.h"
#include "launcher/ports/Dialogs.h"

#include <QFile>

#include <filesystem>
#include <system_error>

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
    dialogs.message(cause + QStringLiteral(" nel creare la cartella ") + folder);
    return false;
}
