#include "foundation/db/Recordset.h"
#include "foundation/db/Connection.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Statement.h"

#include "support/SqliteFixture.h"
#include "support/TempFolder.h"

#include <QDate>

#include <gtest/gtest.h>

using db::Currency;
using db::Recordset;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    RecordsetTest() : fixture(folder.file(QStringLiteral("kv.sqlite")))
    {
        fixture.createSuiteTables();
        fixture.exec({
            QStringLiteral(
                "INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], posizione, [data affido], "
                "datascaricomemo, memo) VALUES (10, 'ROSSI MARIO', 'NRV001', '2011-06-10', '05/06/2011', '')"),
            QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], posizione) "
                           "VALUES (20, 'BIANCHI ANNA', NULL)"),
            QStringLiteral(
                "INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale]) VALUES (30, 'D''AMICO LUCA')"),
            QStringLiteral("INSERT INTO [Tabella Pagamenti] (ID, conta, modo, data, totale, capitale, ricevuta, "
                           "dataricevuta) VALUES (1, 10, 'CO', '2011-06-10 14:05:09', 1234.5, 100, 12, NULL)"),
            QStringLiteral("INSERT INTO [Tabella Pagamenti] (ID, conta, modo, totale, capitale) "
                           "VALUES (2, 10, 'VA', 0.1, NULL)"),
        });
        EXPECT_TRUE(connection.open(fixture.connectionString()));
    }

    QVariant field(const Recordset& rs, const char* name)
    {
        const Result<QVariant> value = rs.field(QString::fromLatin1(name));
        EXPECT_TRUE(value) << name << ": " << value.errorText().toStdString();
        return value ? *value : QVariant();
    }

    TempFolder folder;
    SqliteFixture fixture;
    db::Connection connection;
};

} // namespace

TEST_F(RecordsetTest, ValuesAreTypedByTheirDeclaredTypes)
{
    Recordset payments;
    ASSERT_TRUE(
        payments.open(QStringLiteral("Select * From [Tabella Pagamenti] where conta=10 order by ID"), connection));
    EXPECT_EQ(field(payments, "data").toDateTime(), QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9)));
    EXPECT_EQ(field(payments, "totale").value<Currency>(), Currency::fromUnits(12345000));
    EXPECT_TRUE(db::isNull(field(payments, "dataricevuta")));
    EXPECT_EQ(db::textOf(field(payments, "data")), QStringLiteral("10/06/2011 14:05:09"));
    ASSERT_TRUE(payments.moveNext());
    // A tenth of a euro is exact as currency, and a Null amount reads 0 only through NzImporto.
    EXPECT_EQ(field(payments, "totale").value<Currency>(), Currency::fromUnits(1000));
    EXPECT_TRUE(db::isNull(field(payments, "capitale")));
    EXPECT_EQ(db::NzImporto(field(payments, "capitale")).value(), Currency());
    EXPECT_FALSE(db::currencyOf(field(payments, "capitale"), QStringLiteral("capitale")));

    Recordset cases;
    ASSERT_TRUE(cases.open(QStringLiteral("Select * From [Tabella Pratiche] order by contatore"), connection));
    EXPECT_EQ(field(cases, "data affido").toDate(), QDate(2011, 6, 10));
    EXPECT_EQ(db::textOf(field(cases, "data affido")), QStringLiteral("10/06/2011"));
    // A date kept as text stays the suite's text; an empty text is not Null.
    EXPECT_EQ(field(cases, "datascaricomemo").toString(), QStringLiteral("05/06/2011"));
    EXPECT_FALSE(db::isNull(field(cases, "memo")));
    EXPECT_TRUE(field(cases, "memo").toString().isEmpty());
    EXPECT_TRUE(db::isNull(field(cases, "garante")));
    // Fields are found in any letter case.
    EXPECT_EQ(field(cases, "RAGIONE SOCIALE").toString(), QStringLiteral("ROSSI MARIO"));
    EXPECT_FALSE(cases.field(QStringLiteral("inesistente")));
}

TEST_F(RecordsetTest, AStaticSnapshotWalksBothWaysCountsFindsAndComesBack)
{
    Recordset rs;
    ASSERT_TRUE(rs.open(QStringLiteral("Select contatore From [Tabella Pratiche] order by contatore"), connection));
    EXPECT_TRUE(rs.state());
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.absolutePosition(), 1);
    ASSERT_TRUE(rs.moveLast());
    const qsizetype mark = rs.bookmark();
    ASSERT_TRUE(rs.moveNext());
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.field(QStringLiteral("contatore")));
    ASSERT_TRUE(rs.setBookmark(mark));
    EXPECT_EQ(field(rs, "contatore").toInt(), 30);
    ASSERT_TRUE(rs.moveFirst());
    ASSERT_TRUE(rs.movePrevious());
    EXPECT_TRUE(rs.bof());
    // Find searches forward from the current row and leaves the end when nothing matches.
    ASSERT_TRUE(rs.moveFirst());
    ASSERT_TRUE(rs.find(QStringLiteral("CONTATORE"), 20));
    EXPECT_EQ(rs.absolutePosition(), 2);
    ASSERT_TRUE(rs.find(QStringLiteral("contatore"), 10));
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.find(QStringLiteral("nessuno"), 1));
    EXPECT_EQ(rs.getRows(), QList<QVariantList>{(QVariantList{qlonglong(10), qlonglong(20), qlonglong(30)})});

    Recordset empty;
    ASSERT_TRUE(empty.open(QStringLiteral("Select * From [Tabella Pratiche] where contatore=0"), connection));
    EXPECT_TRUE(empty.bof() && empty.eof() && empty.recordCount() == 0);
    // Edits written back run on every backend in server/ServerScenarioTest; a read-only recordset takes none.
    EXPECT_FALSE(empty.addNew());
}

// A failing query or a refused edit is told in the database's words: scenarios of server/, on every backend. A filter
// holding a second statement lists no case: see the case list.
TEST_F(RecordsetTest, AWriteHoldingASecondStatementRunsNothing)
{
    EXPECT_FALSE(
        db::execute(connection, QStringLiteral("Delete from [Tabella Pratiche] where contatore=10; Delete from "
                                               "[Tabella Pratiche]")));
    EXPECT_EQ(fixture.scalar(QStringLiteral("select count(*) from [Tabella Pratiche]")), QStringLiteral("3"));
}
