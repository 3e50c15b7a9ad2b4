#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace demo {

struct City {
    QString name;
    QString province;
    QString cap;
    QString phonePrefix;
    QString cadastralCode; // the tax code's place of birth
};

/// The material the demo's debtors, cases, payments and sheets are made of.
struct Pools {
    QStringList surnames;
    QStringList maleNames;
    QStringList femaleNames;
    QStringList companies;
    QList<City> cities;
    QStringList streets;
    QStringList mobilePrefixes;
    QStringList memoLines;
    // Codes whose action needs a sheet, and codes that need none.
    QStringList sheetCodes;
    QStringList otherCodes;
    QStringList dischargeLetters;
    QStringList caseStates;
    QStringList banks;
    // The sheet's items, as the editor offers them.
    QStringList reasons;
    QStringList families;
    QStringList homes;
    QStringList contracts;
    QStringList sheetNotes;
    QStringList incomes;
    QStringList titles; // the "vocativo" table's forms of address
};

/// The one set of material, made on first use.
const Pools& pools();

} // namespace demo
