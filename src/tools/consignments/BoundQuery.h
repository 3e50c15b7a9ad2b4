#pragma once

#include "foundation/Status.h"
#include "foundation/db/ValueTyping.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace db {
class Connection;
}

/// A question in the suite's SQL whose data values are '?' marks: prepared once, then asked again and again with
/// new values bound, so that a tax code or a date never becomes part of the SQL text.
class BoundQuery {
public:
    /// The rows of one run, typed as the database declares their columns (Null is an invalid QVariant).
    struct Rows {
        QStringList fields;
        QList<QVariantList> rows;

        /// The value of a field (found without regard to letter case) in a row; invalid when there is none.
        QVariant value(qsizetype row, const QString& field) const;
    };

    BoundQuery(db::Connection& connection, QString suiteSql);

    /// Runs the question with `values` bound to its marks in order; the failure carries the driver's text.
    Result<Rows> run(const QVariantList& values);

    /// A value as the database keeps it: dates and amounts in the form SQLite stores them, the rest as they are.
    static QVariant bindable(const QVariant& value, bool sqlite);

private:
    db::Connection& m_connection;
    QString m_suiteSql;
    QSqlQuery m_query;
    bool m_prepared = false;
    bool m_typed = false;
    db::ValueTyping m_typing;
};
