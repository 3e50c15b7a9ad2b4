#pragma once

#include "foundation/Status.h"
#include "foundation/db/Currency.h"

#include <QVariant>

/// Reading the values of the suite's database the way the program has always read them.
namespace db {

/// True for a database Null (an empty text is not Null).
bool isNull(const QVariant& value);

/// The value joined to an empty text: Null gives "", a date its short date text (dd/MM/yyyy, with the
/// time when there is one), a number its plain text with a decimal comma as on Italian machines.
QString textOf(const QVariant& value);

/// The value as a 32-bit whole number (fractions round half to even); Null or text that is no number fail.
Result<qint32> wholeNumberOf(const QVariant& value, const QString& fieldName);

/// An amount: Null gives 0, anything else is converted to currency; text that is no number, or a number beyond
/// currency's range, fails.
Result<Currency> NzImporto(const QVariant& value, const QString& fieldName = QString());

/// The value as currency (no Null guard): Null fails, naming the field, and so does what NzImporto refuses.
Result<Currency> currencyOf(const QVariant& value, const QString& fieldName);

} // namespace db
