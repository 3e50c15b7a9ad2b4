#include "demo/DemoSchema.h"

#include "launcher/db/SuiteTables.h"

namespace demo {

namespace {

QString bracketed(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

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

} // namespace

QStringList sqliteSchemaStatements()
{
    QStringList statements;
    for (const db::TableDescription& table : db::suiteTables()) {
        statements.append(createTable(table));
        for (const QString& field : table.indexedFields) {
            QString indexName = QStringLiteral("idx_") + table.name + QLatin1Char('_') + field;
            indexName.replace(QLatin1Char(' '), QLatin1Char('_'));
            statements.append(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                                  .arg(bracketed(indexName), bracketed(table.name), bracketed(field)));
        }
    }
    return statements;
}

} // namespace demo
