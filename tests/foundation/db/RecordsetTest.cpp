#include "foundation/db/Recordset.h"
#include "foundation/db/Connection.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Statement.h"

#include "support/SqliteFixture.h"
#include "support/TempFolder.h"

using db::Recordset;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    RecordsetTest() : fixture(folder.file(QStringLiteral("kv.sqlite")))
    {
        fixture.createSuiteTables();
        fixture.exec(
            {QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], [data affido], "
                            "datascaricomemo, memo) VALUES (10, 'ROSSI MARIO', '2011-06-10', '05/06/2011', ''),"
                            " (20, 'BIANCHI ANNA', NULL, NULL, NULL), (30, 'VERDI LUCA', NULL, NULL, NULL)"),
             QStringLiteral("INSERT INTO [Tabella Pagamenti] (ID, conta, data, totale, capitale) VALUES "
                            "(1, 10, '2011-06-10 14:05:09', 1234.5, 100), (2, 10, NULL, 0.1, NULL)")});
        EXPECT_TRUE(connection.open(fixture.connectionString()));
    }

    /// Fields of the current row as "type text", "Null", or "refused".
    static QStringList typed(const Recordset& rs, std::initializer_list<const char*> names)
    {
        QStringList values;
        for (const char* name : names) {
            const Result<QVariant> value = rs.field(QString::fromUtf8(name));
            values.append(!value               ? QStringLiteral("refused")
                          : db::isNull(*value) ? QStringLiteral("Null")
                                               : QString::fromUtf8(value->typeName()) + ' ' + db::textOf(*value));
        }
        return values;
    }

    TempFolder folder;
    SqliteFixture fixture;
    db::Connection connection;
};

} // namespace

TEST_F(RecordsetTest, ValuesAreTypedByTheirDeclaredTypes)
{
    // A tenth of a euro is exact as currency; a date kept as text stays the suite's text; an empty text is not Null;
    // fields are found in any letter case.
    Recordset payments;
    Recordset cases;
    ASSERT_OK(payments.open(QStringLiteral("Select * From [Tabella Pagamenti] order by ID"), connection));
    ASSERT_OK(cases.open(QStringLiteral("Select * From [Tabella Pratiche] order by contatore"), connection));
    QStringList values = typed(payments, {"data", "totale", "dataricevuta"});
    ASSERT_OK(payments.moveNext());
    values += typed(payments, {"totale", "capitale"});
    values += typed(cases, {"data affido", "datascaricomemo", "memo", "garante", "RAGIONE SOCIALE", "inesistente"});
    EXPECT_EQ(values, (QStringList{"QDateTime 10/06/2011 14:05:09", "db::Currency 1234,5", "Null", "db::Currency 0,1",
                                   "Null", "QDate 10/06/2011", "QString 05/06/2011", "QString ", "Null",
                                   "QString ROSSI MARIO", "refused"}));
    // A Null amount reads 0 only through NzImporto.
    const QVariant capitale = payments.field(QStringLiteral("capitale")).value_or(QVariant());
    EXPECT_EQ(db::NzImporto(capitale).value(), db::Currency());
    EXPECT_FALSE(db::currencyOf(capitale, QStringLiteral("capitale")));
}

TEST_F(RecordsetTest, AStaticSnapshotWalksBothWaysCountsFindsAndComesBackAndTakesNoEdit)
{
    Recordset rs;
    ASSERT_OK(rs.open(QStringLiteral("Select contatore From [Tabella Pratiche] order by contatore"), connection));
    EXPECT_TRUE(rs.state() && rs.recordCount() == 3 && rs.absolutePosition() == 1);
    ASSERT_TRUE(rs.moveLast());
    const qsizetype mark = rs.bookmark();
    ASSERT_TRUE(rs.moveNext());
    EXPECT_EQ(typed(rs, {"contatore"}), QStringList{QStringLiteral("refused")});
    ASSERT_TRUE(rs.setBookmark(mark));
    EXPECT_EQ(typed(rs, {"contatore"}), QStringList{QStringLiteral("qlonglong 30")});
    ASSERT_TRUE(rs.moveFirst() && rs.movePrevious());
    EXPECT_TRUE(rs.bof());
    // Find searches forward from the current row and leaves the end when nothing matches.
    ASSERT_TRUE(rs.moveFirst() && rs.find(QStringLiteral("CONTATORE"), 20));
    EXPECT_EQ(rs.absolutePosition(), 2);
    ASSERT_TRUE(rs.find(QStringLiteral("contatore"), 10));
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.find(QStringLiteral("nessuno"), 1));
    EXPECT_EQ(rs.getRows(), QList<QVariantList>{(QVariantList{qlonglong(10), qlonglong(20), qlonglong(30)})});

    // Edits written back run on every backend in server/; a read-only recordset takes none. A failing query or a
    // refused edit is told in the database's words: scenarios of server/, on every backend. A write holding a second
    // statement runs nothing (a filter holding one lists no case: see the case list).
    Recordset empty;
    ASSERT_OK(empty.open(QStringLiteral("Select * From [Tabella Pratiche] where contatore=0"), connection));
    EXPECT_TRUE(empty.bof() && empty.eof() && empty.recordCount() == 0 && !empty.addNew());
    EXPECT_FALSE(db::execute(connection, QStringLiteral("Delete from [Tabella Pratiche] where contatore=10; Delete "
                                                        "from [Tabella Pratiche]")));
    EXPECT_EQ(fixture.scalar(QStringLiteral("select count(*) from [Tabella Pratiche]")), QStringLiteral("3"));
}
