#include "ds/CampiDS.h"

bool CampiDS::ScriviDS(const QString& campo, const QString& valore)
{
    const bool income = valore.isEmpty() && campo.toLower().contains(QLatin1String("reddito"));
    return m_sheet.set(campo, income ? QStringLiteral("0") : valore);
}

QString CampiDS::value(int slot) const
{
    const qsizetype index = slot - 1;
    return index >= 0 && index < m_sheet.entries().size() ? m_sheet.entries().at(index).valore : QString();
}
