#include "ds/CampiDS.h"

#include "foundation/BlankTrim.h"
#include "foundation/Windows1252.h"

void CampiDS::clear()
{
    for (Slot& slot : m_slots)
        slot = Slot();
}

void CampiDS::load(const QString& text)
{
    clear();
    size_t next = 0;
    const QString separator = QStringLiteral("==");
    for (const QString& line : Windows1252::splitLines(text)) {
        if (next == m_slots.size())
            break;
        const qsizetype first = line.indexOf(separator);
        if (first < 0)
            continue;
        const qsizetype second = line.indexOf(separator, first + separator.size());
        m_slots[next].campo = line.left(first);
        m_slots[next].valore = line.mid(first + separator.size(), second < 0 ? -1 : second - first - separator.size());
        ++next;
    }
}

QString CampiDS::LeggiDS(const QString& campo) const
{
    for (const Slot& slot : m_slots) {
        if (slot.campo.compare(campo, Qt::CaseInsensitive) == 0 && !slot.campo.isEmpty())
            return trimBlanks(slot.valore);
    }
    return QString();
}

bool CampiDS::ScriviDS(const QString& campo, const QString& valore)
{
    for (Slot& slot : m_slots) {
        if (slot.campo.isEmpty())
            slot.campo = campo;
        else if (slot.campo.compare(campo, Qt::CaseInsensitive) != 0)
            continue;
        slot.valore = valore;
        if (valore.isEmpty() && campo.toLower().contains(QLatin1String("reddito")))
            slot.valore = QStringLiteral("0");
        return true;
    }
    return false;
}

QString CampiDS::fileText() const
{
    QString text;
    for (const Slot& slot : m_slots) {
        if (slot.campo.isEmpty())
            break;
        text += slot.campo + QStringLiteral("==") + slot.valore + QStringLiteral("\r\n");
    }
    return text;
}
