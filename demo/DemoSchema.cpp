#include "demo/DemoSchema.h"

#include "foundation/db/SuiteTables.h"

namespace demo {

QString bracketed(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

namespace {

QString createTable(const db::TableDescription& table)
{
    QStringList columns;
    for (const db::FieldDescription& field : table.fields) {
        QString column = bracketed(field.name) + QLatin1Char(' ') + db::sqliteDeclaredType(field.kind);
        if (field.primaryKey)
            column += QStringLiteral(" PRIMARY KEY");
        columns.append(column);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(bracketed(table.name), columns.join(QStringLiteral(", ")));
}

QString indexName(const db::TableDescription& table, const QString& field)
{
    QString name = QStringLiteral("idx_") + table.name + QLatin1Char('_') + field;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return name;
}

} // namespace

QStringList sqliteSchemaStatements()
{
    QStringList statements;
    for (const db::TableDescription& table : db::suiteTables()) {
        statements.append(createTable(table));
        for (const QString& field : table.indexedFields) {
            statements.append(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                                  .arg(bracketed(indexName(table, field)), bracketed(table.name), bracketed(field)));
        }
    }
    return statements;
}

QString postgresName(const QString& suiteName)
{
    const QString lower = suiteName.toLower();
    bool plain = !lower.isEmpty() && !lower.at(0).isDigit();
    for (const QChar c : lower) {
        if (!((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              c == QLatin1Char('_')))
            plain = false;
    }
    if (plain)
        return lower;
    QString quoted = lower;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QStringList postgresTableStatements()
{
    QStringList statements;
    for (const db::TableDescription& table : db::suiteTables()) {
        QStringList columns;
        for (const db::FieldDescription& field : table.fields) {
            QString column = postgresName(field.name) + QLatin1Char(' ') + db::postgresDeclaredType(field.kind);
            if (field.primaryKey)
                column += QStringLiteral(" primary key");
            columns.append(column);
        }
        statements.append(QStringLiteral("drop table if exists %1").arg(postgresName(table.name)));
        statements.append(
            QStringLiteral("create table %1 (%2)").arg(postgresName(table.name), columns.join(QStringLiteral(", "))));
    }
    return statements;
}

QStringList postgresIndexStatements()
{
    QStringList statements;
    for (const db::TableDescription& table : db::suiteTables()) {
        for (const QString& field : table.indexedFields) {
            statements.append(
                QStringLiteral("create index %1 on %2 (%3)")
                    .arg(postgresName(indexName(table, field)), postgresName(table.name), postgresName(field)));
        }
    }
    return statements;
}

} // namespace demo
