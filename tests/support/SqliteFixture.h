#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantMap>

/// A real SQLite file for one test, made with SQL; the connection used to make it is removed again.
class SqliteFixture {
public:
    explicit SqliteFixture(QString path);
    ~SqliteFixture();
    SqliteFixture(const SqliteFixture&) = delete;
    SqliteFixture& operator=(const SqliteFixture&) = delete;

    const QString& path() const { return m_path; }
    /// Runs statements, failing the test on the first error.
    void exec(const QStringList& statements);
    /// Inserts one row: column to value, an invalid QVariant for NULL (an empty text stays an empty text).
    void insert(const QString& table, const QVariantMap& row);
    /// Runs a query and returns its first value as text (for checks of what the program wrote).
    QString scalar(const QString& sql);
    /// Runs a query, failing the test when it cannot run, and hands it back standing before its first row.
    QSqlQuery query(const QString& sql);
    /// The suite's tables, as the demo generator creates them.
    void createSuiteTables();
    /// The connection string that names this file.
    QString connectionString() const { return QStringLiteral("Provider=SQLite;Data Source=") + m_path; }

private:
    QString m_path;
    QString m_connectionName;
};
