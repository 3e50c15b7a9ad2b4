#pragma once

#include <QString>

/// Where the suite's drive letters live on this machine.
///
/// A path written the Windows way, `X:\a\b\c`, names the file `a/b/c` under the folder that stands for
/// drive X: the value of the environment variable `KV32_DRIVE_X`, else the folder `drives/X` in the
/// program's application-data folder. Any other path is used as it stands; on Windows every path is.
namespace DriveMapping {

/// The local path of a path written the suite's way.
QString toLocalPath(const QString& suitePath);

/// The folder that stands for a drive letter (upper or lower case).
QString driveFolder(QChar letter);

/// True when the path starts with a drive letter and a colon.
bool hasDriveLetter(const QString& path);

} // namespace DriveMapping
