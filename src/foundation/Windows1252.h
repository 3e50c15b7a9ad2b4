#pragma once

#include "foundation/BoundedRead.h"
#include "foundation/Status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Text as the suite's Windows programs store it: the Western European ANSI code page, one byte a character.
namespace Windows1252 {

/// Whether the lines that splitLines gives keep their CR, LF or CR LF.
enum class LineEnds { Drop, Keep };

/// The text of Windows-1252 bytes; every byte has a character, so nothing is lost.
QString decode(const QByteArray& bytes);

/// The Windows-1252 bytes of a text; a character the code page lacks becomes '?'.
QByteArray encode(const QString& text);

/// The content of a file within its bound, decoded; the failure names the file and the cause.
Result<QString> readFile(const QString& localPath, ReadBound bound);

/// Replaces a file with the encoded text, all at once or not at all; the failure names the file and the cause.
Status writeFileAtomically(const QString& localPath, const QString& text);

/// The lines of a text, each ended by CR LF, CR or LF; a last line without an end counts, a final end adds none.
QStringList splitLines(const QString& text, LineEnds ends = LineEnds::Drop);

} // namespace Windows1252
