#pragma once

#include "foundation/Status.h"
#include "foundation/db/SqlDialect.h"

#include <QHash>
#include <QString>
#include <QVariant>

namespace db {
class Connection;
}

/// The consignment dates of every tax code of a selection, read in one query, so that each case of the selection is
/// answered from memory as the database answers "how many cases with this P_iva have a [data affido] other than this
/// one" when asked case by case: Nulls, storage types, letter case and blanks as the database compares them.
class ConsignmentHistory {
public:
    /// Whether the answers can come from memory: the database compares as SQLite and PostgreSQL do, texts exactly,
    /// letter case and blanks included. Others (Access, SQL Server) may compare texts without regard to letter case
    /// and are asked case by case.
    static bool answersFromMemory(db::SqlDialect dialect);

    /// Reads the tax code and consignment date of every case whose tax code is one of the selection's (the query of
    /// the selection in the suite's SQL); the failure carries the database's text.
    Status load(db::Connection& connection, const QString& selectionSql);

    /// How many cases with tax code `cf` have a consignment date that differs from `dataaff`, the date as the case
    /// gives it; a Null on either side never differs. Fails as the load failed.
    Result<qsizetype> otherDates(const QString& cf, const QVariant& dataaff) const;

private:
    /// A date as the database tells dates apart when it compares them with `=`: numbers by value whether whole or
    /// not, texts exactly, dates and times by value; values of different kinds never equal.
    struct DateValue {
        char kind = 0;
        qint64 number = 0;
        QString text;
        bool operator==(const DateValue&) const = default;
        friend size_t qHash(const DateValue& value, size_t seed = 0)
        {
            return qHashMulti(seed, value.kind, value.number, value.text);
        }
    };
    struct TaxCodeDate {
        QString taxCode;
        DateValue date;
        bool operator==(const TaxCodeDate&) const = default;
        friend size_t qHash(const TaxCodeDate& key, size_t seed = 0) { return qHashMulti(seed, key.taxCode, key.date); }
    };
    static DateValue dateValue(const QVariant& value);

    // Two flat tables: a table per tax code would cost an allocation per debtor.
    QHash<QString, qsizetype> m_datedCases;      // cases with a date, by tax code
    QHash<TaxCodeDate, qsizetype> m_casesOfDate; // cases of each tax code and date
    Status m_loaded = Status::failure(QStringLiteral("le date di affido non sono state lette"));
    db::SqlDialect m_dialect = db::SqlDialect::Suite;
};
