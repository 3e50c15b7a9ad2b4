#pragma once

#include <QString>
#include <QStringList>

/// The command line the suite starts the program with: fields separated by '|'.
class SuiteLine {
public:
    explicit SuiteLine(const QString& line);

    const QStringList& fields() const { return m_fields; }
    qsizetype fieldCount() const { return m_fields.size(); }
    QString field(qsizetype index) const { return m_fields.value(index); }

    /// "PAR0=…" CR LF, one line per field: what the program shows when it cannot tell which tool to start.
    QString listing() const;
    /// True when any field names an Access database (".MDB" in any letter case).
    bool namesAccessDatabase() const;

private:
    QStringList m_fields;
};
