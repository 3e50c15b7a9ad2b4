#include "tools/journal/JournalReport.h"

#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"
#include "tools/journal/JournalText.h"

#include <cmath>

namespace {

// The sum of a column over the lots, exact in currency. Numbers beyond currency's range, in a lot or in the sum, make
// it a sum of doubles, which the journal shows as it shows such a lot: never a sum wrapped round.
QVariant sumOf(const QList<JournalReport::Lot>& lots, QVariant JournalReport::Lot::*field)
{
    db::Currency sum;
    double rough = 0;
    bool exact = true;
    for (const JournalReport::Lot& lot : lots) {
        if (const Result<db::Currency> amount = db::NzImporto(lot.*field)) {
            rough += amount->toDouble();
            const std::optional<db::Currency> added = sum.plus(*amount);
            exact = exact && added;
            sum = added.value_or(sum);
            continue;
        }
        bool number = false;
        const double value = (lot.*field).toDouble(&number);
        if (number && std::isfinite(value)) {
            rough += value;
            exact = false;
        }
    }
    return exact ? QVariant::fromValue(sum) : QVariant(rough);
}

} // namespace

JournalReport::JournalReport(double statprog, QString message, QDate printDate, QList<Lot> lots)
    : m_statprog(statprog), m_message(std::move(message)), m_printDate(printDate), m_lots(std::move(lots))
{
}

QString JournalReport::fileName(const QDate& printDate)
{
    return QStringLiteral("GiornaleXLotti_") + printDate.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(".pdf");
}

QList<JournalReport::Line> JournalReport::lines() const
{
    QList<Line> lines;
    lines.reserve(m_lots.size());
    for (qsizetype i = 0; i < m_lots.size(); ++i) {
        const Lot& lot = m_lots.at(i);
        lines.append({JournalText::numberText(m_statprog + double(i)), lot.mandato, db::textOf(lot.dataAffido),
                      JournalText::formatNumber(lot.pratiche, 0).value_or(QString()),
                      JournalText::formatNumber(lot.totale, 2).value_or(QString())});
    }
    return lines;
}

JournalReport::Line JournalReport::totals() const
{
    return {QStringLiteral("Totale"), QStringLiteral("%1 lotti").arg(m_lots.size()), QString(),
            JournalText::formatNumber(sumOf(m_lots, &Lot::pratiche), 0).value_or(QString()),
            JournalText::formatNumber(sumOf(m_lots, &Lot::totale), 2).value_or(QString())};
}

double JournalReport::lastProgressive() const
{
    return m_statprog + double(m_lots.size()) - 1;
}

QString JournalReport::rangeText() const
{
    if (m_lots.isEmpty())
        return QStringLiteral("Nessun lotto");
    return QStringLiteral("Progressivi da %1 a %2")
        .arg(JournalText::numberText(m_statprog), JournalText::numberText(lastProgressive()));
}
