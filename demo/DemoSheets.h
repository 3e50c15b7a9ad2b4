#pragma once

#include "ds/DiagnosisSheet.h"

#include <QDate>

namespace demo {

class Dice;
struct Pools;

/// The Diagnosis Sheets of the demo's cases: complete ones, and a few with one of the gaps that "Controlla Dati"
/// finds.
class DemoSheets {
public:
    DemoSheets(Dice& dice, const Pools& pools) : m_dice(dice), m_pools(pools) {}

    /// A sheet saved on the day of the case's memo code; `incomplete` leaves a gap in it.
    DiagnosisSheet sheetFor(QDate memoDate, bool incomplete);

private:
    Dice& m_dice;
    const Pools& m_pools;
    int m_sheetCount = 0;
};

} // namespace demo
