#include "support/SqliteFixture.h"

#include "demo/DemoSchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>
#include <QVariant>

#include <gtest/gtest.h>

SqliteFixture::SqliteFixture(QString path)
    : m_path(std::move(path)), m_connectionName(QStringLiteral("fixture-") + QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(m_path);
    EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
}

SqliteFixture::~SqliteFixture()
{
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void SqliteFixture::exec(const QStringList& statements)
{
    for (const QString& sql : statements)
        query(sql);
}

void SqliteFixture::insert(const QString& table, const QVariantMap& row)
{
    QStringList names;
    for (const QString& name : row.keys())
        names.append(QLatin1Char('[') + name + QLatin1Char(']'));
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                      .arg(table, names.join(QLatin1Char(',')),
                           QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','))));
    // A null QString would be bound as NULL: an empty text stays an empty text.
    for (const QVariant& value : row) {
        const bool emptyText = value.typeId() == QMetaType::QString && value.toString().isEmpty();
        query.addBindValue(emptyText ? QVariant(QStringLiteral("")) : value);
    }
    EXPECT_TRUE(query.exec()) << table.toStdString() << ": " << query.lastError().text().toStdString();
}

QSqlQuery SqliteFixture::query(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    return query;
}

QString SqliteFixture::scalar(const QString& sql)
{
    QSqlQuery result = query(sql);
    return result.next() ? result.value(0).toString() : QString();
}

void SqliteFixture::createSuiteTables()
{
    exec(demo::sqliteSchemaStatements());
}
