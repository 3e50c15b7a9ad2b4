#pragma once

#include "foundation/db/SuiteTables.h"

#include <QString>
#include <QStringList>

namespace demo {

/// Positions of the fields of one table, looked up by name once so that rows follow the description's order.
class RowLayout {
public:
    RowLayout(const db::TableDescription* table, QStringList& missing) : m_table(table), m_missing(&missing)
    {
        if (!table)
            missing.append(QStringLiteral("a table"));
    }
    int operator()(const char* name) const
    {
        if (!m_table)
            return -1;
        const QString wanted = QString::fromUtf8(name);
        for (qsizetype i = 0; i < m_table->fields.size(); ++i) {
            if (m_table->fields[i].name.compare(wanted, Qt::CaseInsensitive) == 0)
                return int(i);
        }
        m_missing->append(m_table->name + QLatin1Char('.') + wanted);
        return -1;
    }
    const db::TableDescription* table() const { return m_table; }
    int width() const { return m_table ? int(m_table->fields.size()) : 0; }

private:
    const db::TableDescription* m_table;
    QStringList* m_missing;
};

} // namespace demo
