#include "flow/Formatting.h"

#include "support/QtPrinters.h"

#include <QXmlStreamReader>

namespace {

// The value an XML parser reads back from the escaped text put between the quotes of an attribute, or the
// parser's complaint when the document is not well formed.
QString parsedAttribute(const QString& escaped)
{
    QXmlStreamReader reader(QByteArray("<a v=\"") + escaped.toUtf8() + QByteArray("\"/>"));
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            return reader.attributes().value(QLatin1StringView("v")).toString();
    }
    return QStringLiteral("<not well formed: %1>").arg(reader.errorString());
}

} // namespace

TEST(FormattingTest, AmountsHaveTwoDecimalsWithAPointAndHalvesGoAwayFromZero)
{
    const std::pair<qint64, const char*> cases[] = {
        {12345000, "1234.50"}, {5000, "0.50"},     {-123000, "-12.30"}, {0, "0.00"},     {700, "0.07"}, {-700, "-0.07"},
        {50, "0.01"},          {49, "0.00"},       {-50, "-0.01"},      {-49, "0.00"},   {-1, "0.00"},  {19950, "2.00"},
        {99999, "10.00"},      {-99950, "-10.00"}, {12349, "1.23"},     {12351, "1.24"},
    };
    for (const auto& [units, text] : cases)
        EXPECT_EQ(ImportoNorvanta(db::Currency::fromUnits(units)), QString::fromLatin1(text)) << units;
}

TEST(FormattingTest, DatesHaveFourYearDigitsAndNoDateIsTenBlanks)
{
    EXPECT_EQ(FormattaData(QDate(100, 1, 1)), QStringLiteral("0100-01-01"));
    EXPECT_EQ(FormattaData(std::nullopt), QStringLiteral("          "));
}

TEST(FormattingTest, SoloCifreKeepsDigitsPlusAndCommaInOrder)
{
    // Digits of other scripts are not the creditor's digits.
    const TextCases cases = {{"Ric. n. 12/345", "12345"},  {"+39,5 a", "+39,5"},
                             {"-1.234,50 EUR", "1234,50"}, {",+,0", ",+,0"},
                             {"n° ١٢ ３ ½ ²", ""},         {"abc", ""}};
    expectTexts(SoloCifre, cases);
}

TEST(FormattingTest, FormatCinqueCifrePadsNumbersAndKeepsAnythingElse)
{
    // The comma is the decimal separator, and decimals round half away from zero; points group thousands.
    const TextCases cases = {{"43", "00043"},       {"0", "00000"},         {"12345", "12345"},
                             {"123456", "123456"},  {"000000043", "00043"}, {"  43 ", "00043"},
                             {"+43", "00043"},      {"-7", "-00007"},       {"-0", "00000"},
                             {"4,5", "00005"},      {"4,49", "00004"},      {"-4,5", "-00005"},
                             {"-0,4", "00000"},     {",5", "00001"},        {"43,", "00043"},
                             {"99999,5", "100000"}, {"1.234", "01234"},     {"12.345.678,9", "12345679"}};
    expectTexts(FormatCinqueCifre, cases);
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("12345678901234567890123")), QStringLiteral("12345678901234567890123"));
    for (const char* asTyped : {"", "   ", "abc", "43a", "4 3", "4.5", "1.23", "1234.567", ".5", "4.", "-", "+", "--4",
                                "4,5,6", "1.23.456", "1e3", "\xEF\xBC\x94\xEF\xBC\x93"})
        EXPECT_EQ(FormatCinqueCifre(QString::fromUtf8(asTyped)), QString::fromUtf8(asTyped)) << asTyped;
}

TEST(FormattingTest, EscapedAttributesReadBackAsTheValue)
{
    const QChar nul(0);
    const QChar loneHigh(0xD83D);
    const QChar loneLow(0xDE00);
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("R&S \"Rossi\" <srl> & figli"), QStringLiteral("R&S \"Rossi\" <srl> & figli")},
        {QStringLiteral("&amp; &lt; &#13;"), QStringLiteral("&amp; &lt; &#13;")},
        {QStringLiteral("riga\r\nriga\rriga\ncol\tonna"), QStringLiteral("riga\r\nriga\rriga\ncol\tonna")},
        {QStringLiteral("l'altro ]]> ?> <!-- -->"), QStringLiteral("l'altro ]]> ?> <!-- -->")},
        {QStringLiteral("a") + nul + QStringLiteral("b\x01\x08\x0B\x0C\x0E\x1F") + QStringLiteral("c"),
         QStringLiteral("a b      c")},
        {QStringLiteral("x") + loneHigh + QStringLiteral("y") + loneLow + loneLow + loneHigh, QStringLiteral("x y   ")},
        {QStringLiteral("a") + QChar(0xFFFE) + QChar(0xFFFF) + QStringLiteral("b"), QStringLiteral("a  b")},
        {QString::fromUtf8("città 😀 € \x7F \xC2\x85 \xEF\xBF\xBD"),
         QString::fromUtf8("città 😀 € \x7F \xC2\x85 \xEF\xBF\xBD")},
        {QString(), QString()},
    };
    for (const auto& [value, readBack] : cases) {
        const QString escaped = escapeXmlAttribute(value);
        EXPECT_EQ(parsedAttribute(escaped), readBack) << escaped.toStdString();
    }
    // The exact references the creditor's parser gets.
    EXPECT_EQ(escapeXmlAttribute(QStringLiteral("&<>\"\r\n\t'")), QStringLiteral("&amp;&lt;&gt;&quot;&#13;&#10;&#9;'"));
}
