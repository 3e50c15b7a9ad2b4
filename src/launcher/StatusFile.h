#pragma once

#include "foundation/Status.h"
#include "launcher/ToolParams.h"

/// The status file through which the suite hands over the case it has open and a filter clause.
///
/// Only the first three lines count; each value is what follows the first '=' of its line, whatever
/// the name before it; a line without '=' gives nothing but still counts as a line.
namespace StatusFile {

/// Reads the status file named by a path written the suite's way (Windows-1252 text).
/// Fails, naming the file, when it cannot be read or its first value is no whole number.
Result<ToolParams> read(const QString& suitePath);

/// The values of a status file's text.
Result<ToolParams> parse(const QString& text, const QString& fileNameForMessages);

} // namespace StatusFile
