#include "foundation/SpecialFolders.h"

#include <QDir>
#include <QStandardPaths>

QString CartellaSpeciale(const QString& name)
{
    // The comparison is exact, as it has always been: "AppData" gives the desktop.
    const auto kind =
        name == QLatin1String("appdata") ? QStandardPaths::GenericDataLocation : QStandardPaths::DesktopLocation;
    QString folder = QStandardPaths::writableLocation(kind);
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

QString userProfileFolder()
{
    const QString profile = qEnvironmentVariable("USERPROFILE");
    return profile.isEmpty() ? qEnvironmentVariable("HOME") : profile;
}
