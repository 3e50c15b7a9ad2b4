// Connection strings come from kv32.ini and SQL from the suite's filters and journal query: a connection string
// gives back every value it was built with and never shows its password, the rewrite for SQLite and PostgreSQL
// changes no text inside quotes, and a statement let through is the whole text but for a closing ';'.
#include "FuzzSupport.h"

#include "foundation/db/ConnectionString.h"
#include "foundation/db/SqlDialect.h"

#include <QHash>

namespace {

// A key as people write them: letters, digits and inner blanks.
QString keyOf(const QString& raw)
{
    QString key;
    for (const QChar c : raw)
        if (c.isLetterOrNumber() || c == QLatin1Char(' '))
            key.append(c);
    return key.simplified();
}

// A value written so that the parser must give it back whole: plain when it can be, else in quotes or braces.
std::optional<QString> written(const QString& value)
{
    const bool plain = value == value.trimmed() && !value.contains(QLatin1Char(';')) && !value.startsWith('"') &&
                       !value.startsWith('\'') && !value.startsWith('{');
    if (plain)
        return value;
    if (!value.contains(QLatin1Char('"')))
        return QLatin1Char('"') + value + QLatin1Char('"');
    if (!value.contains(QLatin1Char('\'')))
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    return std::nullopt;
}

void connectionString(const QList<QByteArray>& pieces)
{
    QString text;
    QHash<QString, QString> expected;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
        const QString key = keyOf(fuzz::utf8(pieces.at(i)));
        const std::optional<QString> value = written(fuzz::utf8(pieces.at(i + 1)));
        if (key.isEmpty() || !value)
            continue;
        text += key + QLatin1Char('=') + *value + QLatin1Char(';');
        if (!expected.contains(key.toLower()))
            expected.insert(key.toLower(), fuzz::utf8(pieces.at(i + 1)));
    }
    const db::ConnectionString parsed(text);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        fuzz::require(parsed.value(it.key()) == it.value(), "a connection string gives back its values", [&] {
            return text + QStringLiteral("\nkey ") + it.key() + QStringLiteral(": ") + parsed.value(it.key());
        });
}

void resolvedWithoutPassword(const QString& text)
{
    const QString password = QStringLiteral("Pw#7x!Secret");
    if (text.contains(password))
        return;
    const Result<db::ConnectionTarget> target =
        db::resolveConnectionString(QStringLiteral("Password=") + password + QLatin1Char(';') + text);
    const QString shown = target ? target->description : target.errorText();
    fuzz::require(!shown.contains(password), "what the operator is shown never holds the password",
                  [&] { return shown; });
}

// The quoted pieces of a statement, in their order: a doubled quote stays inside its piece, an unclosed one runs
// to the end.
QStringList quotedPieces(const QString& sql, QChar quote)
{
    QStringList pieces;
    qsizetype at = 0;
    while (at < sql.size()) {
        const QChar c = sql.at(at);
        if (c != QLatin1Char('\'') && c != QLatin1Char('"') && c != QLatin1Char('[')) {
            ++at;
            continue;
        }
        const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
        qsizetype end = at + 1;
        while (end < sql.size()) {
            if (sql.at(end) == close) {
                if (close != QLatin1Char(']') && end + 1 < sql.size() && sql.at(end + 1) == close) {
                    end += 2;
                    continue;
                }
                break;
            }
            ++end;
        }
        if (c == quote)
            pieces.append(sql.mid(at, end + 1 - at));
        at = end + 1;
    }
    return pieces;
}

bool isSubsequence(const QStringList& part, const QStringList& whole)
{
    qsizetype at = 0;
    for (const QString& piece : whole)
        if (at < part.size() && part.at(at) == piece)
            ++at;
    return at == part.size();
}

void rewrite(const QString& sql)
{
    fuzz::require(db::rewriteSql(sql, db::SqlDialect::Suite) == sql, "the suite's own SQL goes out as written");
    const QStringList literals = quotedPieces(sql, QLatin1Char('\''));
    const QStringList names = quotedPieces(sql, QLatin1Char('"'));
    for (const db::SqlDialect dialect : {db::SqlDialect::SQLite, db::SqlDialect::PostgreSQL}) {
        const QString rewritten = db::rewriteSql(sql, dialect);
        fuzz::require(quotedPieces(rewritten, QLatin1Char('\'')) == literals, "literals are never changed",
                      [&] { return sql + QStringLiteral("\n") + rewritten; });
        // PostgreSQL's bracketed names become double-quoted ones, so those quoted in the input are among them.
        const QStringList rewrittenNames = quotedPieces(rewritten, QLatin1Char('"'));
        fuzz::require(dialect == db::SqlDialect::SQLite ? rewrittenNames == names
                                                        : isSubsequence(names, rewrittenNames),
                      "quoted names are never changed", [&] { return sql + QStringLiteral("\n") + rewritten; });
    }
}

void oneStatement(const QString& sql)
{
    const Result<QString> statement = db::singleStatement(sql);
    if (!statement)
        return;
    fuzz::require(!sql.contains(QChar(0)), "a NUL is never let through", [&] { return sql; });
    const QString rest = sql.mid(statement->size());
    fuzz::require(sql.startsWith(*statement) &&
                      (rest.isEmpty() || (rest.front() == QLatin1Char(';') && rest.mid(1).trimmed().isEmpty())),
                  "only a closing ';' and blanks are left out",
                  [&] { return sql + QStringLiteral("\n") + *statement; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = fuzz::utf8(input);
    db::ConnectionString{text};
    resolvedWithoutPassword(text);
    connectionString(input.split('\0'));
    rewrite(text);
    oneStatement(text);
    return 0;
}
