#include "launcher/db/SqlDialect.h"

#include <QRegularExpression>

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

} // namespace

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
