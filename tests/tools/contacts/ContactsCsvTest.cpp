// The cells of the contacts file beyond what the tiny suite's golden file shows (ContactsExportTest).
#include "tools/contacts/ContactsCsv.h"

#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"

#include "support/QtPrinters.h"
#include "support/SqliteFixture.h"
#include "support/TempFolder.h"
#include "tools/FailingDevice.h"

/// One row of literal values, read through the database layer as the export reads a case.
class ContactsCells : public ::testing::Test {
protected:
    void SetUp() override
    {
        database.exec({QStringLiteral("CREATE TABLE t (x INTEGER)")}); // the file must exist to be opened
        ASSERT_TRUE(connection.open(database.connectionString()).ok());
    }

    /// Opens "select <columns>" as the current row.
    void row(const QString& columns)
    {
        const Status opened = cases.open(QStringLiteral("select ") + columns, connection);
        ASSERT_TRUE(opened.ok()) << opened.errorText().toStdString();
    }
    QString cell(const QString& item)
    {
        const Result<QString> text = ContactsCsv::cell(item, cases);
        EXPECT_TRUE(text.ok()) << text.errorText().toStdString();
        return text.value_or(QStringLiteral("<failed>"));
    }

    TempFolder folder;
    SqliteFixture database{folder.file(QStringLiteral("cells.sqlite"))};
    db::Connection connection;
    db::Recordset cases;
};

TEST_F(ContactsCells, CleaningTurnsCommasApostrophesNulsAndCrLfIntoBlanksThenTrimsBlanks)
{
    // A comma before a line end gives two blanks; only blanks are trimmed, a TAB and double quotes stay.
    const TextCases cases = {{"Via Roma, 5", "Via Roma  5"},
                             {"D'ALFA", "D ALFA"},
                             {"riga uno\r\nriga due\nriga tre\rfine", "riga uno riga due\nriga tre\rfine"},
                             {"x,\r\ny", "x  y"},
                             {" ,'primo'\r\n ", "primo"},
                             {"\tdetto \"il Nano\" ", "\tdetto \"il Nano\""},
                             {"", ""}};
    expectTexts(ContactsCsv::clean, cases);
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b")), QStringLiteral("a b"));
}

TEST_F(ContactsCells, NamesSplitAtSingleBlanksItemsInAnyCaseAndQuotesAreDoubled)
{
    row(QStringLiteral("'ALFA BETA GAMMA' as [ragione sociale], 'detto \"il Nano\"' as memo"));
    EXPECT_EQ(cell(QStringLiteral("[COGNOME]")), QStringLiteral("\"ALFA\""));
    EXPECT_EQ(cell(QStringLiteral("[nome]")), QStringLiteral("\"BETA\""));
    // A double quote in a value is doubled, so that the cell stays whole.
    EXPECT_EQ(cell(QStringLiteral("[Memo]")), QStringLiteral("\"detto \"\"il Nano\"\"\""));
    EXPECT_EQ(cell(QString()), QStringLiteral("\"\""));
}

TEST_F(ContactsCells, AFieldMissingFromTheResultOrAFailingDeviceIsNamed)
{
    row(QStringLiteral("'ALFA' as [ragione sociale]"));
    const Result<QString> text = ContactsCsv::cell(QStringLiteral("[tel recapito]"), cases);
    ASSERT_FALSE(text.ok());
    EXPECT_TRUE(text.errorText().contains(QStringLiteral("tel recapito"))) << text.errorText().toStdString();

    FailingDevice device(5);
    EXPECT_EQ(ContactsCsv::writeHeader(&device).errorText(), QStringLiteral("spazio esaurito sul dispositivo"));
}
