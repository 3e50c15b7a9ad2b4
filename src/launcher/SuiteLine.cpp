#include "launcher/SuiteLine.h"

SuiteLine::SuiteLine(const QString& line) : m_fields(line.split(QLatin1Char('|'))) {}

QString SuiteLine::listing() const
{
    QString text;
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        text += QStringLiteral("PAR%1=%2\r\n").arg(i).arg(m_fields.at(i));
    return text;
}

bool SuiteLine::namesAccessDatabase() const
{
    for (const QString& field : m_fields) {
        if (field.contains(QLatin1String(".MDB"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}
