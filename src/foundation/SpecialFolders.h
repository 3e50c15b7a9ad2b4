#pragma once

#include <QString>

/// The user's folder of a kind, without a closing separator, or empty text when it cannot be told:
/// exactly "appdata" gives the application-data folder, any other name the desktop.
QString CartellaSpeciale(const QString& name);

/// The user's profile folder: USERPROFILE, else HOME.
QString userProfileFolder();
