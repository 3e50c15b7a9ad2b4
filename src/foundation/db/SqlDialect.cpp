#include "foundation/db/SqlDialect.h"

#include "foundation/ShownText.h"

#include <QRegularExpression>

#include <algorithm>

namespace db {

namespace {

// Where each character of a statement stands: in plain SQL text, or inside a quoted literal or name.
enum class Zone { Plain, SingleQuoted, DoubleQuoted, Bracketed };

/// Walks the statement and hands each plain stretch and each quoted or bracketed piece to `visit`.
template <typename Visit> void walk(const QString& sql, Visit visit)
{
    qsizetype start = 0;
    qsizetype at = 0;
    const qsizetype size = sql.size();
    while (at < size) {
        const QChar c = sql.at(at);
        const QChar close = c == QLatin1Char('\'')  ? QLatin1Char('\'')
                            : c == QLatin1Char('"') ? QLatin1Char('"')
                            : c == QLatin1Char('[') ? QLatin1Char(']')
                                                    : QChar();
        if (close.isNull()) {
            ++at;
            continue;
        }
        if (at > start)
            visit(Zone::Plain, sql.mid(start, at - start));
        qsizetype end = at + 1;
        while (end < size) {
            if (sql.at(end) == close) {
                // A doubled quote inside a literal is part of it.
                if (close != QLatin1Char(']') && end + 1 < size && sql.at(end + 1) == close) {
                    end += 2;
                    continue;
                }
                break;
            }
            ++end;
        }
        end = std::min(end + 1, size);
        const Zone zone = c == QLatin1Char('\'')  ? Zone::SingleQuoted
                          : c == QLatin1Char('"') ? Zone::DoubleQuoted
                                                  : Zone::Bracketed;
        visit(zone, sql.mid(at, end - at));
        at = end;
        start = end;
    }
    if (size > start)
        visit(Zone::Plain, sql.mid(start));
}

bool isClosed(Zone zone, const QString& piece)
{
    if (zone == Zone::Bracketed)
        return piece.size() >= 2 && piece.back() == QLatin1Char(']');
    // Inside a literal a quote comes doubled, so only an odd run of quotes at the end closes it.
    qsizetype quotes = 0;
    for (qsizetype at = piece.size() - 1; at > 0 && piece.at(at) == piece.front(); --at)
        ++quotes;
    return quotes % 2 == 1;
}

QString quotedName(const QString& bracketed)
{
    QString name = bracketed.mid(1, bracketed.endsWith(QLatin1Char(']')) ? bracketed.size() - 2 : bracketed.size() - 1);
    name = name.toLower();
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

/// Moves the first `Select [distinct] top N` row limit of the statement to a `LIMIT N` at its end.
QString moveTopToLimit(QString sql)
{
    static const QRegularExpression top(QStringLiteral("\\bselect\\s+(?:distinct\\s+)?(top\\s+(\\d+)\\s*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    // Only a match in plain text counts: rebuild the plain stretches with markers for quoted pieces.
    QString masked;
    masked.reserve(sql.size());
    bool endsInsideQuotes = false;
    walk(sql, [&](Zone zone, const QString& piece) {
        masked += zone == Zone::Plain ? piece : QString(piece.size(), QLatin1Char('_'));
        endsInsideQuotes = zone != Zone::Plain && !isClosed(zone, piece);
    });
    // A LIMIT added at the end would land inside the unclosed quote; the database will refuse the statement anyway.
    const QRegularExpressionMatch match = top.match(masked);
    if (!match.hasMatch() || endsInsideQuotes)
        return sql;
    const QString limit = match.captured(2);
    sql.remove(match.capturedStart(1), match.capturedLength(1));
    masked.remove(match.capturedStart(1), match.capturedLength(1));
    qsizetype end = masked.size();
    while (end > 0 && (masked.at(end - 1).isSpace() || masked.at(end - 1) == QLatin1Char(';')))
        --end;
    sql.insert(end, QStringLiteral(" LIMIT ") + limit);
    return sql;
}

// How a database reads a text, as far as quotes and comments go: enough to tell where a statement ends.
struct Lexer {
    bool suiteNames; // [name] and `name` are quoted names (the suite's SQL, SQLite, Access, SQL Server)
    bool postgres;   // E'…' with backslash escapes, $tag$…$tag$, nested /* */ comments, -- ending at CR too
};

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

/// Just after the quote that closes the one at `open` (a doubled quote stays inside), or the end of the text.
qsizetype afterQuoted(const QString& sql, qsizetype open, QChar quote, bool backslashEscapes)
{
    for (qsizetype at = open + 1; at < sql.size(); ++at) {
        const QChar c = sql.at(at);
        if (backslashEscapes && c == QLatin1Char('\\')) {
            ++at;
        } else if (c == quote) {
            if (at + 1 < sql.size() && sql.at(at + 1) == quote)
                ++at;
            else
                return at + 1;
        }
    }
    return sql.size();
}

qsizetype afterComment(const QString& sql, qsizetype open, bool nested)
{
    int depth = 1;
    for (qsizetype at = open + 2; at + 1 < sql.size(); ++at) {
        if (nested && sql.at(at) == QLatin1Char('/') && sql.at(at + 1) == QLatin1Char('*')) {
            ++depth;
            ++at;
        } else if (sql.at(at) == QLatin1Char('*') && sql.at(at + 1) == QLatin1Char('/')) {
            ++at;
            if (--depth == 0)
                return at + 1;
        }
    }
    return sql.size();
}

qsizetype lineEnd(const QString& sql, qsizetype at, bool carriageReturnEnds)
{
    while (at < sql.size() && sql.at(at) != QLatin1Char('\n') &&
           !(carriageReturnEnds && sql.at(at) == QLatin1Char('\r')))
        ++at;
    return at;
}

/// Just after a PostgreSQL dollar-quoted text that opens at `at` ($$…$$, $tag$…$tag$); `at` + 1 when none opens there.
qsizetype afterDollarQuoted(const QString& sql, qsizetype at)
{
    if (at > 0 && isWordCharacter(sql.at(at - 1)))
        return at + 1;
    qsizetype end = at + 1;
    while (end < sql.size() && sql.at(end) != QLatin1Char('$') && isWordCharacter(sql.at(end)))
        ++end;
    if (end >= sql.size() || sql.at(end) != QLatin1Char('$') || (end > at + 1 && sql.at(at + 1).isDigit()))
        return at + 1;
    const QString tag = sql.mid(at, end - at + 1);
    const qsizetype close = sql.indexOf(tag, end + 1);
    return close < 0 ? sql.size() : close + tag.size();
}

/// Where the first `;` outside quotes and comments stands, as the lexer reads the text; -1 when there is none.
qsizetype firstSemicolon(const QString& sql, Lexer lexer)
{
    qsizetype at = 0;
    while (at < sql.size()) {
        const QChar c = sql.at(at);
        const QChar next = at + 1 < sql.size() ? sql.at(at + 1) : QChar();
        if (c == QLatin1Char(';'))
            return at;
        if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            at = lineEnd(sql, at, lexer.postgres);
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            at = afterComment(sql, at, lexer.postgres);
        } else if (c == QLatin1Char('\'')) {
            const bool escapeString = lexer.postgres && at > 0 && sql.at(at - 1).toLower() == QLatin1Char('e') &&
                                      (at < 2 || !isWordCharacter(sql.at(at - 2)));
            at = afterQuoted(sql, at, c, escapeString);
        } else if (c == QLatin1Char('"') || (lexer.suiteNames && c == QLatin1Char('`'))) {
            at = afterQuoted(sql, at, c, false);
        } else if (lexer.suiteNames && c == QLatin1Char('[')) {
            const qsizetype close = sql.indexOf(QLatin1Char(']'), at + 1);
            at = close < 0 ? sql.size() : close + 1;
        } else if (lexer.postgres && c == QLatin1Char('$')) {
            at = afterDollarQuoted(sql, at);
        } else {
            ++at;
        }
    }
    return -1;
}

/// The text around a place of a statement, for a message: at most `length` characters, on one line.
QString excerpt(const QString& text, qsizetype length)
{
    const QString line = text.simplified();
    return line.size() > length ? shownText(line.left(length - 3)) + QStringLiteral("...") : shownText(line);
}

/// Refuses a second statement as the lexers read the text; the text up to the end of its one statement.
Result<QString> oneStatementAs(const QString& sql, std::initializer_list<Lexer> lexers)
{
    qsizetype end = sql.size();
    for (const Lexer& lexer : lexers) {
        const qsizetype semicolon = firstSemicolon(sql, lexer);
        if (semicolon < 0)
            continue;
        const QString rest = sql.mid(semicolon + 1);
        if (!rest.trimmed().isEmpty())
            return Status::failure(QStringLiteral("dopo il ';' alla posizione %1 segue un secondo comando: \"%2\"")
                                       .arg(semicolon + 1)
                                       .arg(excerpt(rest, 80)));
        end = std::min(end, semicolon);
    }
    return sql.left(end);
}

} // namespace

Result<QString> singleStatement(const QString& sql)
{
    const qsizetype nul = sql.indexOf(QChar(0));
    if (nul >= 0)
        return Status::failure(QStringLiteral("alla posizione %1, dopo \"%2\", c'è un carattere NUL (codice 0)")
                                   .arg(nul + 1)
                                   .arg(excerpt(sql.left(nul).right(40), 40)));
    // The text goes to SQLite, Access or SQL Server as it is, and to PostgreSQL with its [names] quoted: a `;` that
    // any of them would read as the end of a statement counts.
    return oneStatementAs(sql, {Lexer{true, false}, Lexer{true, true}});
}

Result<QString> statementToRun(const QString& suiteSql, SqlDialect dialect)
{
    const Result<QString> statement = singleStatement(suiteSql);
    if (!statement)
        return statement;
    const QString rewritten = rewriteSql(*statement, dialect);
    if (dialect != SqlDialect::PostgreSQL)
        return rewritten;
    // What PostgreSQL receives is checked as it reads it too: the rewrite must not have opened a way around the check.
    return oneStatementAs(rewritten, {Lexer{false, true}});
}

QString rewriteSql(const QString& suiteSql, SqlDialect dialect)
{
    if (dialect == SqlDialect::Suite)
        return suiteSql;
    QString sql = moveTopToLimit(suiteSql);
    if (dialect == SqlDialect::PostgreSQL) {
        QString rewritten;
        rewritten.reserve(sql.size());
        walk(sql, [&](Zone zone, const QString& piece) {
            const QString written = zone == Zone::Bracketed ? quotedName(piece) : piece;
            // A name next to a double-quoted piece would read as one name with a quote inside: "a"[b] is not "a""b".
            if (written.startsWith(QLatin1Char('"')) && rewritten.endsWith(QLatin1Char('"')))
                rewritten += QLatin1Char(' ');
            rewritten += written;
        });
        sql = rewritten;
    }
    return sql;
}

} // namespace db
