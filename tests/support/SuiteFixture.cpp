#include "support/SuiteFixture.h"

#include "launcher/DriveMapping.h"
#include "launcher/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QByteArray suiteText(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Windows1252::encode(line) + "\r\n";
    return bytes;
}

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

QString sqlValue(const QString& field)
{
    if (field.isEmpty())
        return QStringLiteral("NULL");
    QString escaped = field;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

SuiteFixture::SuiteFixture()
{
    const QString path = local(databasePath());
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_database = std::make_unique<SqliteFixture>(path);
    m_database->createSuiteTables();
    writeKv32Ini(
        {QStringLiteral("[datiserver]"), QStringLiteral("connstring=Provider=SQLite;Data Source=") + databasePath()});
    QDir().mkpath(local(QStringLiteral("Z:\\work\\kv32\\dati\\ds")));
}

QString SuiteFixture::local(const QString& suitePath) const
{
    return DriveMapping::toLocalPath(suitePath);
}

void SuiteFixture::writeKv32Ini(const QStringList& lines)
{
    writeFile(local(QStringLiteral("Z:\\work\\kv32\\dati\\kv32.ini")), suiteText(lines));
}

void SuiteFixture::writeStatusFile(const QStringList& lines)
{
    writeFile(local(statusPath()), suiteText(lines));
}

void SuiteFixture::addCases(const QStringList& rows)
{
    QStringList statements;
    for (const QString& row : rows) {
        const QStringList fields = row.split(QLatin1Char('|'));
        statements.append(
            QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], [tipo mandato], "
                           "codicescaricomemo) VALUES (%1, %2, %3, %4)")
                .arg(fields.value(0), sqlValue(fields.value(1)), sqlValue(fields.value(2)), sqlValue(fields.value(3))));
    }
    m_database->exec(statements);
}

void SuiteFixture::addNumberedCases(int first, int count, const QString& mandate)
{
    QStringList statements{QStringLiteral("BEGIN")};
    for (int k = first; k < first + count; ++k) {
        statements.append(
            QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], [tipo mandato]) "
                           "VALUES (%1, 'DEBITORE %1', '%2')")
                .arg(k)
                .arg(mandate));
    }
    statements.append(QStringLiteral("COMMIT"));
    m_database->exec(statements);
}
