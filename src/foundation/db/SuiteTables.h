#pragma once

#include <QList>
#include <QString>

namespace db {

/// What a field holds, as the program uses it; each kind has its declared type in the suite's databases.
enum class FieldKind {
    WholeNumber, ///< INTEGER on SQLite, integer on PostgreSQL
    Text,        ///< TEXT / text
    Currency,    ///< CURRENCY / numeric(19,4): fixed point with four decimals
    Date,        ///< DATETIME / date
    Number,      ///< NUMERIC / numeric: a number, or numeric text
};

struct FieldDescription {
    QString name;
    FieldKind kind;
    bool primaryKey = false;
};

struct TableDescription {
    QString name;
    QList<FieldDescription> fields;
    /// Fields the suite indexes because the program looks rows up by them: the join keys, and the tax code that the
    /// other-consignments lookup searches.
    QList<QString> indexedFields;
};

/// The one list of every table and field of the suite's database that the program reads or writes.
/// Names are spelled as the program spells them; databases match them without regard to letter case.
const QList<TableDescription>& suiteTables();

/// The description of one table (found without regard to letter case), or nullptr.
const TableDescription* findSuiteTable(const QString& name);

/// The declared SQLite type for a field kind ("INTEGER", "TEXT", "CURRENCY", "DATETIME", "NUMERIC").
QString sqliteDeclaredType(FieldKind kind);

/// The PostgreSQL type for a field kind ("integer", "text", "numeric(19,4)", "date", "numeric").
QString postgresDeclaredType(FieldKind kind);

/// The field kind of an SQLite declared type, as the suite's conventions read it; Text for anything else.
FieldKind fieldKindOfSqliteType(const QString& declaredType);

} // namespace db
