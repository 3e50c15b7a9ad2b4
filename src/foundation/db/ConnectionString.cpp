#include "foundation/db/ConnectionString.h"

#include "foundation/DriveMapping.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>

namespace db {

ConnectionString::ConnectionString(const QString& text)
{
    // Values may be enclosed in braces or quotes, which may hold ';' (Driver={...}).
    qsizetype at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text.at(at) == QLatin1Char(';') || text.at(at).isSpace()))
            ++at;
        const qsizetype equals = text.indexOf(QLatin1Char('='), at);
        if (equals < 0)
            break;
        const QString key = text.mid(at, equals - at).trimmed().toLower();
        qsizetype valueStart = equals + 1;
        while (valueStart < text.size() && text.at(valueStart) == QLatin1Char(' '))
            ++valueStart;
        qsizetype end = -1;
        QString value;
        const QChar opener = valueStart < text.size() ? text.at(valueStart) : QChar();
        const QChar closer = opener == QLatin1Char('{')    ? QLatin1Char('}')
                             : opener == QLatin1Char('"')  ? QLatin1Char('"')
                             : opener == QLatin1Char('\'') ? QLatin1Char('\'')
                                                           : QChar();
        if (!closer.isNull()) {
            const qsizetype close = text.indexOf(closer, valueStart + 1);
            if (close >= 0) {
                value = opener == QLatin1Char('{') ? text.mid(valueStart, close - valueStart + 1)
                                                   : text.mid(valueStart + 1, close - valueStart - 1);
                end = text.indexOf(QLatin1Char(';'), close);
            }
        }
        if (value.isNull()) {
            end = text.indexOf(QLatin1Char(';'), valueStart);
            value = text.mid(valueStart, end < 0 ? -1 : end - valueStart).trimmed();
        }
        if (!key.isEmpty() && !m_pairs.contains(key))
            m_pairs.insert(key, value);
        if (end < 0)
            break;
        at = end + 1;
    }
}

QString ConnectionString::value(const QString& key) const
{
    return m_pairs.value(key.toLower());
}

QString ConnectionString::valueOf(std::initializer_list<const char*> keys) const
{
    for (const char* key : keys) {
        const QString name = QString::fromLatin1(key).toLower();
        if (m_pairs.contains(name))
            return m_pairs.value(name);
    }
    return QString();
}

bool ConnectionString::has(const QString& key) const
{
    return m_pairs.contains(key.toLower());
}

namespace {

QString odbcInstIni()
{
    const QString folder = qEnvironmentVariable("ODBCSYSINI", QStringLiteral("/etc"));
    return folder + QStringLiteral("/odbcinst.ini");
}

Status needQtDriver(const QString& qtDriver, const char* package)
{
    if (QSqlDatabase::isDriverAvailable(qtDriver))
        return Status::success();
    return Status::failure(QStringLiteral("Il driver %1 di Qt non è installato su questo computer (pacchetto %2).")
                               .arg(qtDriver, QString::fromLatin1(package)));
}

SqlDialect dialectOfOdbcDriver(const QString& odbcText)
{
    const QString lower = odbcText.toLower();
    if (lower.contains(QLatin1String("postgres")))
        return SqlDialect::PostgreSQL;
    if (lower.contains(QLatin1String("sqlite")))
        return SqlDialect::SQLite;
    return SqlDialect::Suite;
}

Result<ConnectionTarget> sqliteTarget(const ConnectionString& pairs)
{
    const QString source = pairs.valueOf({"Data Source", "Database"});
    if (source.isEmpty())
        return Status::failure(
            QStringLiteral("La stringa di connessione SQLite non indica il database (Data Source)."));
    ConnectionTarget target;
    target.qtDriver = QStringLiteral("QSQLITE");
    target.databaseName = DriveMapping::toLocalPath(source);
    target.dialect = SqlDialect::SQLite;
    target.description =
        source == target.databaseName ? source : source + QStringLiteral(" (") + target.databaseName + QLatin1Char(')');
    return target;
}

Result<ConnectionTarget> accessTarget(const QString& provider, const ConnectionString& pairs)
{
    const QString source = pairs.valueOf({"Data Source"});
    QString odbcDriver;
    if (!odbcDriverInstalled(QStringLiteral("access"), &odbcDriver) &&
        !odbcDriverInstalled(QStringLiteral("mdb"), &odbcDriver))
        return Status::failure(QStringLiteral("Il database %1 è un file Access (provider %2): serve il driver ODBC di "
                                              "Microsoft Access, che non è installato su questo computer.")
                                   .arg(source, provider));
    ConnectionTarget target;
    target.qtDriver = QStringLiteral("QODBC");
    target.databaseName = QStringLiteral("Driver={%1};DBQ=%2").arg(odbcDriver, DriveMapping::toLocalPath(source));
    target.description = source;
    return target;
}

Result<ConnectionTarget> sqlServerTarget(const ConnectionString& pairs)
{
    QString odbcDriver;
    if (!odbcDriverInstalled(QStringLiteral("sql server"), &odbcDriver))
        return Status::failure(
            QStringLiteral("La stringa di connessione indica un database SQL Server: serve un driver "
                           "ODBC per SQL Server, che non è installato su questo computer."));
    const QString server = pairs.valueOf({"Data Source", "Server"});
    const QString database = pairs.valueOf({"Initial Catalog", "Database"});
    ConnectionTarget target;
    target.qtDriver = QStringLiteral("QODBC");
    target.databaseName =
        QStringLiteral("Driver={%1};Server=%2;Database=%3;UID=%4;PWD=%5")
            .arg(odbcDriver, server, database, pairs.valueOf({"User ID", "UID"}), pairs.valueOf({"Password", "PWD"}));
    target.description = server + QLatin1Char('/') + database;
    return target;
}

Result<ConnectionTarget> postgresTarget(const ConnectionString& pairs)
{
    ConnectionTarget target;
    target.qtDriver = QStringLiteral("QPSQL");
    target.host = pairs.valueOf({"Host", "Server", "Data Source"});
    const QString port = pairs.valueOf({"Port"});
    if (!port.isEmpty()) {
        bool ok = false;
        target.port = port.toInt(&ok);
        if (!ok)
            return Status::failure(
                QStringLiteral("La porta \"%1\" della stringa di connessione non è un numero.").arg(port));
    }
    target.databaseName = pairs.valueOf({"Database", "Initial Catalog"});
    target.userName = pairs.valueOf({"User ID", "UID", "User"});
    target.password = pairs.valueOf({"Password", "PWD"});
    target.dialect = SqlDialect::PostgreSQL;
    target.description = QStringLiteral("PostgreSQL %1 su %2").arg(target.databaseName, target.host);
    if (target.port > 0)
        target.description += QStringLiteral(" porta %1").arg(target.port);
    return target;
}

Result<ConnectionTarget> odbcTarget(const QString& text, const ConnectionString& pairs)
{
    ConnectionTarget target;
    target.qtDriver = QStringLiteral("QODBC");
    target.databaseName = text;
    target.dialect = dialectOfOdbcDriver(pairs.valueOf({"Driver", "DSN"}));
    target.description = pairs.has(QStringLiteral("DSN"))
                             ? QStringLiteral("DSN ") + pairs.value(QStringLiteral("DSN"))
                             : QStringLiteral("ODBC ") + pairs.value(QStringLiteral("Driver"));
    // The operator needs to know which server and database, as with the other providers.
    const QString server = pairs.valueOf({"Server", "Servername", "Host"});
    const QString database = pairs.valueOf({"Database", "Initial Catalog"});
    if (!server.isEmpty() || !database.isEmpty())
        target.description += QStringLiteral(" %1/%2").arg(server, database);
    return target;
}

} // namespace

bool odbcDriverInstalled(const QString& fragment, QString* foundName)
{
    QFile file(odbcInstIni());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QRegularExpression section(QStringLiteral("^\\s*\\[([^\\]]+)\\]"));
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = section.match(line);
        if (match.hasMatch() && match.captured(1).contains(fragment, Qt::CaseInsensitive) &&
            match.captured(1).compare(QLatin1String("ODBC"), Qt::CaseInsensitive) != 0) {
            if (foundName)
                *foundName = match.captured(1).trimmed();
            return true;
        }
    }
    return false;
}

QString withoutPassword(const QString& text)
{
    static const QRegularExpression password(
        QStringLiteral("((?:^|;)\\s*(?:[^;=]*password|pwd)\\s*=\\s*)(\\{[^}]*\\}?|\"[^\"]*\"?|'[^']*'?|[^;]*)"),
        QRegularExpression::CaseInsensitiveOption);
    QString shown = text;
    return shown.replace(password, QStringLiteral("\\1***"));
}

Result<ConnectionTarget> resolveConnectionString(const QString& text)
{
    if (text.trimmed().isEmpty())
        return Status::failure(QStringLiteral("La stringa di connessione è vuota."));
    const ConnectionString pairs(text);
    const QString provider = pairs.valueOf({"Provider"}).trimmed();
    Result<ConnectionTarget> target = Status::failure(QString());
    if (provider.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0) {
        target = sqliteTarget(pairs);
    } else if (provider.startsWith(QLatin1String("Microsoft.Jet.OLEDB"), Qt::CaseInsensitive) ||
               provider.startsWith(QLatin1String("Microsoft.ACE.OLEDB"), Qt::CaseInsensitive)) {
        target = accessTarget(provider, pairs);
    } else if (provider.compare(QLatin1String("SQLOLEDB"), Qt::CaseInsensitive) == 0 ||
               provider.startsWith(QLatin1String("SQLNCLI"), Qt::CaseInsensitive) ||
               provider.compare(QLatin1String("MSOLEDBSQL"), Qt::CaseInsensitive) == 0) {
        target = sqlServerTarget(pairs);
    } else if (provider.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0) {
        target = postgresTarget(pairs);
    } else if (provider.isEmpty() && (pairs.has(QStringLiteral("Driver")) || pairs.has(QStringLiteral("DSN")))) {
        target = odbcTarget(text, pairs);
    } else if (provider.isEmpty()) {
        return Status::failure(QStringLiteral("La stringa di connessione non indica né Provider né Driver: ") +
                               withoutPassword(text));
    } else {
        return Status::failure(QStringLiteral("Provider sconosciuto nella stringa di connessione: ") + provider);
    }
    if (!target)
        return target;
    const char* package = target->qtDriver == QLatin1String("QSQLITE") ? "libqt6sql6-sqlite"
                          : target->qtDriver == QLatin1String("QPSQL") ? "libqt6sql6-psql"
                                                                       : "libqt6sql6-odbc";
    if (Status driver = needQtDriver(target->qtDriver, package); !driver)
        return driver;
    return target;
}

} // namespace db
