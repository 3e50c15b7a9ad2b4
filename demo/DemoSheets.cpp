#include "demo/DemoSheets.h"

#include "demo/DemoMaterial.h"
#include "demo/DemoValues.h"
#include "demo/Dice.h"
#include "ds/SheetFields.h"

#include <QTime>

namespace demo {

DiagnosisSheet DemoSheets::sheetFor(QDate memoDate, bool incomplete)
{
    using namespace SheetFields;
    const QString zero = QStringLiteral("0");
    const bool able = m_dice.percent(55);
    const QDate improvement = memoDate.addMonths(m_dice.between(2, 18));
    const int second = m_dice.between(0, 59);
    const int minute = m_dice.between(0, 59);
    const QTime saved(m_dice.between(8, 19), minute, second);
    // The fields in the file's order, each drawn in turn.
    DiagnosisSheet sheet;
    sheet.set(MotivoImpagato, m_dice.pick(m_pools.reasons));
    sheet.set(SituazioneFamiliare, m_dice.pick(m_pools.families));
    sheet.set(NoteSituazioneFamiliare, m_dice.percent(30) ? m_dice.pick(m_pools.sheetNotes) : emptyText);
    sheet.set(Abitazione, m_dice.pick(m_pools.homes));
    sheet.set(TipologiaContratto, m_dice.pick(m_pools.contracts));
    sheet.set(NoteTipologiaContratto, m_dice.percent(20) ? m_dice.pick(m_pools.sheetNotes) : emptyText);
    sheet.set(CapacitaPagamentoFutureScadenze, able ? QStringLiteral("S") : QStringLiteral("N"));
    sheet.set(DataMiglioramento, able ? emptyText : shortDate(improvement));
    sheet.set(ClienteRedditoSalario, m_dice.pick(m_pools.incomes));
    sheet.set(ClienteRedditoBenefits, m_dice.percent(80) ? zero : QStringLiteral("300"));
    sheet.set(ClienteRedditoAltro, m_dice.percent(85) ? zero : QStringLiteral("250"));
    sheet.set(GaranteRedditoSalario, m_dice.percent(70) ? zero : m_dice.pick(m_pools.incomes));
    sheet.set(GaranteRedditoBenefits, zero);
    sheet.set(GaranteRedditoAltro, zero);
    sheet.set(Note, m_dice.percent(50) ? m_dice.pick(m_pools.memoLines) : emptyText);
    sheet.set(DataInserimento, shortDate(memoDate) + QLatin1Char(' ') + saved.toString(QStringLiteral("hh:mm:ss")));
    if (incomplete) {
        // Each kind of gap the check looks for; the second sheet always lacks its family situation.
        const int gap = m_sheetCount == 1 ? 1 : int(m_dice.below(5));
        switch (gap) {
        case 0:
            sheet.set(MotivoImpagato, emptyText);
            break;
        case 1:
            sheet.set(SituazioneFamiliare, emptyText);
            break;
        case 2:
            sheet.set(Abitazione, emptyText);
            break;
        case 3:
            sheet.set(CapacitaPagamentoFutureScadenze, QStringLiteral("N"));
            sheet.set(DataMiglioramento, emptyText);
            break;
        default:
            sheet.set(ClienteRedditoSalario, emptyText);
            break;
        }
    }
    ++m_sheetCount;
    return sheet;
}

} // namespace demo
