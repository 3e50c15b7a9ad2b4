// The cleaning of the contacts file's cells beyond what the tiny suite's golden file shows (ContactsExportTest).
#include "tools/contacts/ContactsCsv.h"

#include "support/QtPrinters.h"

TEST(ContactsCsv, CleaningTurnsCommasApostrophesNulsAndCrLfIntoBlanksThenTrimsBlanks)
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
