#include "tools/contacts/ContactsCsv.h"

#include "launcher/db/Connection.h"
#include "launcher/db/Recordset.h"

#include "support/SqliteFixture.h"
#include "support/TempFolder.h"
#include "tools/FailingDevice.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

/// One row of literal values, read through the database layer as the export reads a case.
class ContactsCells : public ::testing::Test {
protected:
    void SetUp() override
    {
        database.exec({QStringLiteral("CREATE TABLE t (x INTEGER)")});
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

    /// The name columns of a debtor's name: Cognome, then Nome.
    QStringList nameCells(const QString& name)
    {
        row(QStringLiteral("'%1' as [ragione sociale]").arg(name));
        return {cell(QStringLiteral("[Cognome]")), cell(QStringLiteral("[Nome]"))};
    }

    TempFolder folder;
    SqliteFixture database{folder.file(QStringLiteral("cells.sqlite"))};
    db::Connection connection;
    db::Recordset cases;
};

/// Splits a data line into its cells at the commas outside quotes.
QStringList splitCells(const QString& line)
{
    QStringList cells;
    QString current;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char(',') && !quoted) {
            cells.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    cells.append(current);
    return cells;
}

} // namespace

TEST_F(ContactsCells, TheNameSplitsAtEverySingleBlankSurnameFirst)
{
    EXPECT_EQ(nameCells(QStringLiteral("ALFA BETA")), QStringList({"\"ALFA\"", "\"BETA\""}));
    EXPECT_EQ(nameCells(QStringLiteral("ALFA BETA GAMMA")), QStringList({"\"ALFA\"", "\"BETA\""}));
    EXPECT_EQ(nameCells(QStringLiteral("ACME")), QStringList({"\"ACME\"", "\"ACME\""}));
    // Two blanks make an empty word between them, and that empty word is the first name.
    EXPECT_EQ(nameCells(QStringLiteral("ALFA  BETA")), QStringList({"\"ALFA\"", "\"\""}));
    // The items are matched without regard to letter case.
    row(QStringLiteral("'ALFA BETA' as [ragione sociale]"));
    EXPECT_EQ(cell(QStringLiteral("[NOME]")), QStringLiteral("\"BETA\""));
    EXPECT_EQ(cell(QStringLiteral("[cognome]")), QStringLiteral("\"ALFA\""));
}

TEST_F(ContactsCells, CleaningTurnsCommasApostrophesNulsAndCrLfIntoBlanksThenTrimsBlanks)
{
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral("Via Roma, 5")), QStringLiteral("Via Roma  5"));
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral("D'ALFA")), QStringLiteral("D ALFA"));
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral("riga uno\r\nriga due\nriga tre\rfine")),
              QStringLiteral("riga uno riga due\nriga tre\rfine"));
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b")), QStringLiteral("a b"));
    // A comma before a line end gives two blanks; blanks from cleaning at the ends go with the others.
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral("x,\r\ny")), QStringLiteral("x  y"));
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral(" ,'primo'\r\n ")), QStringLiteral("primo"));
    // Only blanks are trimmed; a TAB and double quotes stay as they are.
    EXPECT_EQ(ContactsCsv::clean(QStringLiteral("\tdetto \"il Nano\" ")), QStringLiteral("\tdetto \"il Nano\""));
    EXPECT_EQ(ContactsCsv::clean(QString()), QString());
}

TEST_F(ContactsCells, FieldCellsAreCleanedAndQuotedAndNullIsEmpty)
{
    row(QStringLiteral("'  Via Roma, 5 ' as Indirizzo, NULL as telefono2, 'a'||char(13)||char(10)||'b' as memo, "
                       "'Sig.' as voc, 2 as vocativo, 'ROSSI MARIO' as [ragione sociale], NULL as garante"));
    EXPECT_EQ(cell(QStringLiteral("[Indirizzo]")), QStringLiteral("\"Via Roma  5\""));
    EXPECT_EQ(cell(QStringLiteral("[telefono2]")), QStringLiteral("\"\""));
    EXPECT_EQ(cell(QStringLiteral("[Memo]")), QStringLiteral("\"a b\""));
    // The form of address is the joined text, not the code that the case stores.
    EXPECT_EQ(cell(QStringLiteral("[Vocativo]")), QStringLiteral("\"Sig.\""));
    // A case without guarantor still gets the "@".
    EXPECT_EQ(cell(QStringLiteral("[Ragione sociale] & @ & [Garante]")), QStringLiteral("\"ROSSI MARIO@\""));
}

TEST_F(ContactsCells, TheDisplayNameJoinsDebtorAndGuarantorThenCleansTheWhole)
{
    row(QStringLiteral("'D''ALFA SRL' as [ragione sociale], 'BETA, GAMMA' as garante"));
    EXPECT_EQ(cell(QStringLiteral("[Ragione sociale] & @ & [Garante]")), QStringLiteral("\"D ALFA SRL@BETA  GAMMA\""));
    EXPECT_EQ(cell(QStringLiteral("[Garante]")), QStringLiteral("\"BETA  GAMMA\""));
}

TEST_F(ContactsCells, ADoubleQuoteInAValueIsDoubledSoTheCellStaysWhole)
{
    row(QStringLiteral("'detto \"il Nano\"' as memo"));
    EXPECT_EQ(cell(QStringLiteral("[Memo]")), QStringLiteral("\"detto \"\"il Nano\"\"\""));
    EXPECT_EQ(splitCells(cell(QStringLiteral("[Memo]")) + QStringLiteral(",x")).size(), 2);
}

TEST_F(ContactsCells, BareItemsAreTrimmedAndUnquotedAndEmptyItemsAreAnEmptyQuotedValue)
{
    row(QStringLiteral("1 as x"));
    EXPECT_EQ(cell(QStringLiteral("0/0/00")), QStringLiteral("0/0/00"));
    EXPECT_EQ(cell(QStringLiteral(" Non specificato ")), QStringLiteral("Non specificato"));
    EXPECT_EQ(cell(QString()), QStringLiteral("\"\""));
}

TEST_F(ContactsCells, AFieldMissingFromTheResultFailsNamingIt)
{
    row(QStringLiteral("'ALFA' as [ragione sociale]"));
    const Result<QString> text = ContactsCsv::cell(QStringLiteral("[tel recapito]"), cases);
    ASSERT_FALSE(text.ok());
    EXPECT_TRUE(text.errorText().contains(QStringLiteral("tel recapito"))) << text.errorText().toStdString();
}

TEST(ContactsLayout, TheHeaderHas92QuotedLabelsInWindows1252WithCrLf)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ContactsCsv::writeHeader(&buffer).ok());
    const QByteArray bytes = buffer.data();
    EXPECT_TRUE(
        bytes.startsWith("\"Titolo\",\"Nome\",\"Secondo nome\",\"Cognome\",\"Titolo straniero\",\"Societ\xe0\","));
    EXPECT_TRUE(bytes.endsWith("\"Utente 3\",\"Utente 4\"\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 1);
    EXPECT_EQ(bytes.count("\",\""), 91);
    EXPECT_TRUE(bytes.contains("\"Citt\xe0 (uff.)\""));
    EXPECT_TRUE(bytes.contains("\"Priorit\xe0\",\"Privato\""));
    EXPECT_TRUE(bytes.contains("\"Indennit\xe0 trasferta\""));
    EXPECT_FALSE(bytes.contains("\xc3")); // no UTF-8 anywhere
    EXPECT_EQ(ContactsCsv::headerLabels().size(), 92);
}

TEST(ContactsLayout, TheTemplateHas87ItemsWithThePhoneTwiceAndNothingForTheLastFiveLabels)
{
    const QStringList& items = ContactsCsv::rowTemplate();
    ASSERT_EQ(items.size(), 87);
    const QStringList& labels = ContactsCsv::headerLabels();
    const auto column = [&](const char* label) {
        return labels.indexOf(QString::fromUtf8(label));
    };
    EXPECT_EQ(items.at(column("Telefono assistente")), QStringLiteral("[tel recapito]"));
    EXPECT_EQ(items.at(column("Cellulare")), QStringLiteral("[tel recapito]"));
    EXPECT_EQ(items.at(column("Società")), QStringLiteral("[Posizione]"));
    EXPECT_EQ(items.at(column("Posizione")), QStringLiteral("[P_IVA]"));
    EXPECT_EQ(items.at(column("Notes")), QStringLiteral("[Memo]"));
    EXPECT_EQ(items.at(column("Nome visualizzato posta elettronica")),
              QStringLiteral("[Ragione sociale] & @ & [Garante]"));
    EXPECT_EQ(items.at(column("Sesso")), QStringLiteral("Non specificato"));
    EXPECT_EQ(column("Sesso"), 86);
    EXPECT_EQ(column("Ubicazione ufficio"), 87);
}

TEST_F(ContactsCells, ACaseLineHas87CellsAndEndsWithCrLf)
{
    row(QStringLiteral("'Sig.' as voc, 'ROSSI MARIO' as [ragione sociale], 'P1' as Posizione, 'X' as P_IVA, "
                       "'Via Roma, 5' as Indirizzo, 'Città' as Citta, 'PG' as Provincia, '06012' as CAP, "
                       "'333' as [tel recapito], NULL as telefono2, '075' as telefono1, 'm' as Memo, "
                       "NULL as Ind_Garante, 'G' as Garante"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ContactsCsv::writeCase(&buffer, cases).ok());
    const QByteArray bytes = buffer.data();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 1);
    const QStringList cells = splitCells(QString::fromLatin1(bytes.chopped(2)));
    ASSERT_EQ(cells.size(), 87);
    EXPECT_EQ(cells.at(8), QStringLiteral("\"Via Roma  5\""));
    EXPECT_EQ(cells.at(11).toLatin1(), QByteArray("\"Citt\xe0\""));
    EXPECT_EQ(cells.at(29), QStringLiteral("\"333\""));
    EXPECT_EQ(cells.at(40), QStringLiteral("\"333\""));
    EXPECT_EQ(cells.at(73), QStringLiteral("\"ROSSI MARIO@G\""));
    EXPECT_EQ(cells.at(86), QStringLiteral("Non specificato"));
}

TEST_F(ContactsCells, AWriteThatFailsReportsTheDevicesCause)
{
    row(QStringLiteral("'ROSSI MARIO' as [ragione sociale], 'Sig.' as voc"));
    FailingDevice device(5);
    const Status written = ContactsCsv::writeHeader(&device);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.errorText(), QStringLiteral("spazio esaurito sul dispositivo"));
}
