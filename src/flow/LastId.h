#pragma once

#include "foundation/Status.h"

#include <QString>

#include <optional>

// The progressive of the last flow sent, kept in IDNrvXML.ini on the suite's drive, section [Norvanta], key LastID.

/// The last flow number: the leading decimal number of LastID, 0 when there is none; a failure naming the file and
/// the value when LastID starts with a number that no flow number (a 32-bit counter) can hold.
Result<qint32> LeggiLastID();

/// Replaces IDNrvXML.ini with the two lines "[Norvanta]" and "LastID=" + progressivo, all at once or not at all.
Status SalvaLastID(const QString& progressivo);

/// The leading number of a text as the suite's programs read numbers out of text: blanks anywhere are skipped, an
/// optional sign, digits, decimals after a point and an exponent are taken, the rest ignored; rounded to a whole
/// number (halves to even). 0 when the text does not start with a number, nothing when the number is beyond the
/// 32-bit range.
std::optional<qint32> leadingWholeNumber(const QString& text);
