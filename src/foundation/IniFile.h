#pragma once

#include "foundation/Status.h"

#include <QString>

// The suite's routines for its INI files, named as the suite names them. They read and write the way the Windows
// profile functions do, so that the suite's own Windows programs and this one see the same files alike. The file
// is a path written the suite's way (`Z:\work\kv32\dati\kv32.ini`) or a local path.

/// No INI file of the suite comes near this size; a larger one is refused, never read into memory or rewritten.
inline constexpr qint64 LargestIniFile = 1024 * 1024;

/// The value of a key in a section, as GetPrivateProfileString gives it; empty when file, section or key is missing,
/// and when the file cannot be read.
QString LeggiIni(const QString& file, const QString& section, const QString& key);

/// The value LeggiIni gives, or why the file gives none where the operator must mend it: the file cannot be read or
/// is too large, or it starts with a byte-order mark that hides the key. A missing file, section or key is empty text.
Result<QString> readIniValue(const QString& file, const QString& section, const QString& key);

/// Sets a key in a section as WritePrivateProfileString does; an empty value deletes the key.
Status ScriviIni(const QString& file, const QString& section, const QString& key, const QString& value);
