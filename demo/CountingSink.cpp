#include "demo/CountingSink.h"

#include "foundation/db/SuiteTables.h"

namespace demo {

Status CountingSink::addRow(const db::TableDescription& table, const QVariantList& values)
{
    if (table.name == QLatin1String("Tabella Pratiche"))
        ++m_summary.cases;
    else if (table.name == QLatin1String("Tabella Pagamenti"))
        ++m_summary.payments;
    else if (table.name == QLatin1String("Tabella Riscontro"))
        ++m_summary.bankRows;
    return m_next.addRow(table, values);
}

Status CountingSink::addSheet(int contatore, const DiagnosisSheet& sheet)
{
    ++m_summary.sheets;
    return m_next.addSheet(contatore, sheet);
}

} // namespace demo
