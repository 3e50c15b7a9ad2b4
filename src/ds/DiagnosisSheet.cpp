#include "ds/DiagnosisSheet.h"

#include "foundation/BlankTrim.h"
#include "foundation/Windows1252.h"

namespace {

const QString Separator = QStringLiteral("==");
const QString LineEnd = QStringLiteral("\r\n");

} // namespace

DiagnosisSheet DiagnosisSheet::fromFileText(const QString& text)
{
    DiagnosisSheet sheet;
    for (const QString& line : Windows1252::splitLines(text)) {
        if (sheet.m_entries.size() == MaxEntries)
            break;
        const qsizetype first = line.indexOf(Separator);
        if (first < 0)
            continue;
        const qsizetype start = first + Separator.size();
        const qsizetype second = line.indexOf(Separator, start);
        sheet.m_entries.append({line.left(first), line.mid(start, second < 0 ? -1 : second - start)});
    }
    return sheet;
}

QString DiagnosisSheet::fileText() const
{
    QString text;
    for (const Entry& entry : m_entries) {
        if (entry.campo.isEmpty())
            break;
        text += entry.campo + Separator + entry.valore + LineEnd;
    }
    return text;
}

QString DiagnosisSheet::value(const QString& campo) const
{
    for (const Entry& entry : m_entries) {
        if (!entry.campo.isEmpty() && entry.campo.compare(campo, Qt::CaseInsensitive) == 0)
            return trimBlanks(entry.valore);
    }
    return QString();
}

bool DiagnosisSheet::set(const QString& campo, const QString& valore)
{
    for (Entry& entry : m_entries) {
        if (entry.campo.isEmpty())
            entry.campo = campo;
        else if (entry.campo.compare(campo, Qt::CaseInsensitive) != 0)
            continue;
        entry.valore = valore;
        return true;
    }
    if (m_entries.size() == MaxEntries)
        return false;
    m_entries.append({campo, valore});
    return true;
}
