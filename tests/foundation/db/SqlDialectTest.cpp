#include "foundation/db/SqlDialect.h"

#include <gtest/gtest.h>

#include <tuple>

using db::rewriteSql;
using db::SqlDialect;

TEST(SqlDialect, TopBecomesALimitAtTheEndAndPostgreSqlNamesAreQuotedInLowerCaseButQuotedTextIsKept)
{
    // Statement, dialect, and what is sent. The case list sends its filter so on every backend in server/.
    const QString nrv = QStringLiteral("Select  top 100  * From [Tabella Pratiche] where [tipo mandato]='NRV'");
    const std::tuple<QString, SqlDialect, QString> cases[] = {
        {nrv, SqlDialect::Suite, nrv},
        {QStringLiteral("SELECT DISTINCT TOP 5 a FROM t ORDER BY a;  "), SqlDialect::SQLite,
         QStringLiteral("SELECT DISTINCT a FROM t ORDER BY a LIMIT 5;  ")},
        // "top" inside a name or a literal is no row limit, and the limit goes after a literal holding a semicolon.
        {QStringLiteral("Select * From t where x='select top 3'"), SqlDialect::SQLite,
         QStringLiteral("Select * From t where x='select top 3'")},
        {QStringLiteral("Select topolino From t"), SqlDialect::SQLite, QStringLiteral("Select topolino From t")},
        {QStringLiteral("Select top 1 * From t where x=';'"), SqlDialect::SQLite,
         QStringLiteral("Select * From t where x=';' LIMIT 1")},
        {QStringLiteral("Select  top 100  * From [Tabella Pratiche] where [Tipo Mandato]='[NRV] ''x'''"),
         SqlDialect::PostgreSQL,
         QStringLiteral("Select  * From \"tabella pratiche\" where \"tipo mandato\"='[NRV] ''x''' LIMIT 100")},
        {QStringLiteral("Select [a\"b] From \"T\""), SqlDialect::PostgreSQL,
         QStringLiteral("Select \"a\"\"b\" From \"T\"")},
        // Broken statements: a name next to a quoted one stays a name of its own, and a statement that ends inside a
        // quote keeps its row limit where it is rather than moving it into the quote.
        {QStringLiteral("Select \"a\"[b] From t"), SqlDialect::PostgreSQL, QStringLiteral("Select \"a\" \"b\" From t")},
        {QStringLiteral("Select top 5 * From t where x='abc"), SqlDialect::SQLite,
         QStringLiteral("Select top 5 * From t where x='abc")},
    };
    for (const auto& [sql, dialect, sent] : cases)
        EXPECT_EQ(rewriteSql(sql, dialect), sent) << sql.toStdString();
}

TEST(SqlDialect, OnlyASingleStatementIsRun)
{
    const QString nul(QChar(0));
    // Text, and the statement it gives; empty where it is refused.
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("where a='x;y' and [b;c]=\"d;e\" and `f;g`=1"),
         QStringLiteral("where a='x;y' and [b;c]=\"d;e\" and `f;g`=1")},
        {QStringLiteral("where a='it''s;' and b=1 ; \t\r\n "), QStringLiteral("where a='it''s;' and b=1 ")},
        {QStringLiteral("where a=1 -- fine; really\n and b=2"), QStringLiteral("where a=1 -- fine; really\n and b=2")},
        {QStringLiteral("where a=1 /* ; */ and b=2"), QStringLiteral("where a=1 /* ; */ and b=2")},
        {QStringLiteral("where a=1;;"), QString()},
        {QStringLiteral("where a=1; -- done"), QString()},
        {QStringLiteral("where a='x") + nul + QStringLiteral("' and b=1"), QString()},
        // A quote inside a comment opens nothing; a comment ends where each database ends it.
        {QStringLiteral("where a=1 -- it's\n; delete from [Working]"), QString()},
        {QStringLiteral("where a=1 -- x\r; delete from [Working]"), QString()},
        {QStringLiteral("where a=1 /* it's */; delete from [Working]"), QString()},
        // What PostgreSQL reads otherwise: backslash escapes, dollar quotes, nested comments.
        {QStringLiteral("where a=E'\\''; delete from [Working] --'"), QString()},
        {QStringLiteral("where a=$$'$$; delete from [Working] --'"), QString()},
        {QStringLiteral("where a=1 /* /* */ ' */; delete from [Working] --'"), QString()},
    };
    for (const auto& [text, statement] : cases) {
        const Result<QString> checked = db::singleStatement(text);
        EXPECT_EQ(checked.ok(), !statement.isEmpty())
            << text.toStdString() << ": " << checked.errorText().toStdString();
        if (checked) {
            EXPECT_EQ(*checked, statement) << text.toStdString();
        }
    }
    const Result<QString> second = db::singleStatement(QStringLiteral("where [tipo mandato]='NRV'; and contatore=1"));
    EXPECT_EQ(second.errorText(),
              QStringLiteral("dopo il ';' alla posizione 27 segue un secondo comando: \"and contatore=1\""));
    // The statement sent to PostgreSQL is checked as it reads it, after its names are quoted.
    const Result<QString> rewritten = db::statementToRun(
        QStringLiteral("Select top 2 * From [Tabella Pratiche] where [a;b]='c;d';"), SqlDialect::PostgreSQL);
    ASSERT_TRUE(rewritten) << rewritten.errorText().toStdString();
    EXPECT_EQ(*rewritten, QStringLiteral("Select * From \"tabella pratiche\" where \"a;b\"='c;d' LIMIT 2"));
}
