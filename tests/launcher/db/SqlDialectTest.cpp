#include "launcher/db/SqlDialect.h"

#include <gtest/gtest.h>

using db::rewriteSql;
using db::SqlDialect;

TEST(SqlDialect, TopBecomesALimitAtTheEndExceptInTheSuitesOwnDialect)
{
    const QString sql = QStringLiteral("Select  top 100  * From [Tabella Pratiche] where [tipo mandato]='NRV'");
    EXPECT_EQ(rewriteSql(sql, SqlDialect::Suite), sql);
    EXPECT_EQ(rewriteSql(sql, SqlDialect::SQLite),
              QStringLiteral("Select  * From [Tabella Pratiche] where [tipo mandato]='NRV' LIMIT 100"));
    EXPECT_EQ(rewriteSql(QStringLiteral("SELECT DISTINCT TOP 5 a FROM t ORDER BY a;  "), SqlDialect::SQLite),
              QStringLiteral("SELECT DISTINCT a FROM t ORDER BY a LIMIT 5;  "));
    // Without a row limit nothing changes; "top" inside a name or a literal is not a row limit.
    EXPECT_EQ(rewriteSql(QStringLiteral("Select * From t where x='select top 3'"), SqlDialect::SQLite),
              QStringLiteral("Select * From t where x='select top 3'"));
    EXPECT_EQ(rewriteSql(QStringLiteral("Select topolino From t"), SqlDialect::SQLite),
              QStringLiteral("Select topolino From t"));
    // The limit goes after a closing literal that holds a semicolon, not inside it.
    EXPECT_EQ(rewriteSql(QStringLiteral("Select top 1 * From t where x=';'"), SqlDialect::SQLite),
              QStringLiteral("Select * From t where x=';' LIMIT 1"));
}

TEST(SqlDialect, PostgreSqlNamesAreQuotedInLowerCaseButLiteralsAreKept)
{
    EXPECT_EQ(
        rewriteSql(QStringLiteral("Select  top 100  * From [Tabella Pratiche] where [Tipo Mandato]='[NRV] ''x'''"),
                   SqlDialect::PostgreSQL),
        QStringLiteral("Select  * From \"tabella pratiche\" where \"tipo mandato\"='[NRV] ''x''' LIMIT 100"));
    EXPECT_EQ(rewriteSql(QStringLiteral("Select [a\"b] From \"T\""), SqlDialect::PostgreSQL),
              QStringLiteral("Select \"a\"\"b\" From \"T\""));
}

TEST(SqlDialect, QuotedTextStaysWhatItWasInBrokenStatements)
{
    // A name next to a quoted one stays a name of its own.
    EXPECT_EQ(rewriteSql(QStringLiteral("Select \"a\"[b] From t"), SqlDialect::PostgreSQL),
              QStringLiteral("Select \"a\" \"b\" From t"));
    // A statement that ends inside a quote keeps its row limit where it is rather than moving it into the quote.
    EXPECT_EQ(rewriteSql(QStringLiteral("Select top 5 * From t where x='abc"), SqlDialect::SQLite),
              QStringLiteral("Select top 5 * From t where x='abc"));
    EXPECT_EQ(rewriteSql(QStringLiteral("Select top 5 * From t where x='it''"), SqlDialect::SQLite),
              QStringLiteral("Select top 5 * From t where x='it''"));
}
