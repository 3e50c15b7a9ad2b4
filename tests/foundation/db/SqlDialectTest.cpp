#include "foundation/db/SqlDialect.h"

#include "support/QtPrinters.h"

using db::SqlDialect;

TEST(SqlDialect, TopBecomesALimitAtTheEndAndPostgreSqlNamesAreQuotedInLowerCaseButQuotedTextIsKept)
{
    // Statement, dialect, and what is sent. The case list sends its filter so on every backend in server/. "top"
    // inside a name or a literal is no row limit, and the limit goes after a literal holding a semicolon. Broken
    // statements: a name next to a quoted one stays a name of its own, and a statement that ends inside a quote keeps
    // its row limit where it is rather than moving it into the quote.
    const char* const nrv = "Select  top 100  * From [Tabella Pratiche] where [tipo mandato]='NRV'";
    const std::tuple<const char*, SqlDialect, const char*> cases[] = {
        {nrv, SqlDialect::Suite, nrv},
        {"SELECT DISTINCT TOP 5 a FROM t ORDER BY a;  ", SqlDialect::SQLite,
         "SELECT DISTINCT a FROM t ORDER BY a LIMIT 5;  "},
        {"Select * From t where x='select top 3'", SqlDialect::SQLite, "Select * From t where x='select top 3'"},
        {"Select topolino From t", SqlDialect::SQLite, "Select topolino From t"},
        {"Select top 1 * From t where x=';'", SqlDialect::SQLite, "Select * From t where x=';' LIMIT 1"},
        {"Select  top 100  * From [Tabella Pratiche] where [Tipo Mandato]='[NRV] ''x'''", SqlDialect::PostgreSQL,
         "Select  * From \"tabella pratiche\" where \"tipo mandato\"='[NRV] ''x''' LIMIT 100"},
        {"Select [a\"b] From \"T\"", SqlDialect::PostgreSQL, "Select \"a\"\"b\" From \"T\""},
        {"Select \"a\"[b] From t", SqlDialect::PostgreSQL, "Select \"a\" \"b\" From t"},
        {"Select top 5 * From t where x='abc", SqlDialect::SQLite, "Select top 5 * From t where x='abc"},
    };
    for (const auto& [sql, dialect, sent] : cases)
        EXPECT_EQ(db::rewriteSql(QString::fromUtf8(sql), dialect), QString::fromUtf8(sent)) << sql;
}

TEST(SqlDialect, OnlyASingleStatementIsRun)
{
    // Text, and the statement it gives. A quote inside a comment opens nothing; a comment ends where each database
    // ends it; PostgreSQL also reads backslash escapes, dollar quotes and nested comments.
    const auto checked = [](const QString& text) {
        const Result<QString> statement = db::singleStatement(text);
        return statement ? *statement : QStringLiteral("refused: ") + statement.errorText();
    };
    expectTexts(checked,
                {{"where a='x;y' and [b;c]=\"d;e\" and `f;g`=1", "where a='x;y' and [b;c]=\"d;e\" and `f;g`=1"},
                 {"where a='it''s;' and b=1 ; \t\r\n ", "where a='it''s;' and b=1 "},
                 {"where a=1 -- fine; really\n and b=2", "where a=1 -- fine; really\n and b=2"},
                 {"where a=1 /* ; */ and b=2", "where a=1 /* ; */ and b=2"},
                 {"where [tipo mandato]='NRV'; and contatore=1",
                  "refused: dopo il ';' alla posizione 27 segue un secondo comando: \"and contatore=1\""}});
    for (const QString& text : {QStringLiteral("where a=1;;"), QStringLiteral("where a=1; -- done"),
                                QStringLiteral("where a='x") + QChar(0) + QStringLiteral("' and b=1"),
                                QStringLiteral("where a=1 -- it's\n; delete from [Working]"),
                                QStringLiteral("where a=1 -- x\r; delete from [Working]"),
                                QStringLiteral("where a=1 /* it's */; delete from [Working]"),
                                QStringLiteral("where a=E'\\''; delete from [Working] --'"),
                                QStringLiteral("where a=$$'$$; delete from [Working] --'"),
                                QStringLiteral("where a=1 /* /* */ ' */; delete from [Working] --'")})
        EXPECT_TRUE(checked(text).startsWith(QStringLiteral("refused: "))) << text.toStdString();
    // The statement sent to PostgreSQL is checked as it reads it, after its names are quoted.
    const Result<QString> rewritten = db::statementToRun(
        QStringLiteral("Select top 2 * From [Tabella Pratiche] where [a;b]='c;d';"), SqlDialect::PostgreSQL);
    EXPECT_EQ(rewritten.value_or(rewritten.errorText()),
              QStringLiteral("Select * From \"tabella pratiche\" where \"a;b\"='c;d' LIMIT 2"));
}
