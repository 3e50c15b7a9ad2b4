#pragma once

#include <QDate>
#include <QString>

namespace demo {

class Dice;

// Italian identifiers, with their real check characters so that they look right to anyone who checks them.

/// The tax code ("codice fiscale") of a person born at `place` (its cadastral code).
QString taxCode(const QString& surname, const QString& name, bool female, QDate birth, const QString& place);

/// A company's VAT number ("partita IVA"), drawn.
QString vatNumber(Dice& dice);

} // namespace demo
