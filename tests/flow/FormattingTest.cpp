#include "flow/Formatting.h"

#include "support/QtPrinters.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <limits>

namespace {

const QDate Today(2011, 6, 14);
const QString TenBlanks(10, QLatin1Char(' '));

QString amount(qint64 units)
{
    return ImportoNorvanta(db::Currency::fromUnits(units));
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

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

TEST(LivelloTabTest, IndentsWithOneTabALevel)
{
    EXPECT_EQ(LivelloTab(0), QString());
    EXPECT_EQ(LivelloTab(-3), QString());
    EXPECT_EQ(LivelloTab(1), QStringLiteral("\t"));
    EXPECT_EQ(LivelloTab(6), QStringLiteral("\t\t\t\t\t\t"));
}

TEST(PerXMLTest, ReplacesAccentsAngleBracketsAndLineEndsOnly)
{
    EXPECT_EQ(PerXML(text("perché città")), QStringLiteral("perche' citta'"));
    EXPECT_EQ(PerXML(text("àèéìòù")), QStringLiteral("a'e'e'i'o'u'"));
    EXPECT_EQ(PerXML(QStringLiteral("A<B>C")), QStringLiteral("A B C"));
    EXPECT_EQ(PerXML(QStringLiteral("<<>>")), QStringLiteral("    "));
    EXPECT_EQ(PerXML(QStringLiteral("prima riga\r\nseconda riga\r\n")), QStringLiteral("prima riga.seconda riga."));
    // Only the pair joins lines: a lone CR or LF, or the reversed pair, stays for the escaping to deal with.
    EXPECT_EQ(PerXML(QStringLiteral("a\rb\nc\n\rd")), QStringLiteral("a\rb\nc\n\rd"));
    EXPECT_EQ(PerXML(QStringLiteral("\r\r\n\n")), QStringLiteral("\r.\n"));
    EXPECT_EQ(PerXML(text("ÀÈÉÌÒÙ á ó ü ç")), text("ÀÈÉÌÒÙ á ó ü ç"));
    EXPECT_EQ(PerXML(QStringLiteral("R&S \"srl\" l'altro")), QStringLiteral("R&S \"srl\" l'altro"));
    EXPECT_EQ(PerXML(QString()), QString());
}

TEST(ImportoNorvantaTest, WritesTwoDecimalsWithAPoint)
{
    EXPECT_EQ(amount(12345000), QStringLiteral("1234.50"));
    EXPECT_EQ(amount(5000), QStringLiteral("0.50"));
    EXPECT_EQ(amount(-123000), QStringLiteral("-12.30"));
    EXPECT_EQ(amount(0), QStringLiteral("0.00"));
    EXPECT_EQ(amount(10000000000), QStringLiteral("1000000.00"));
    EXPECT_EQ(amount(12345678912345), QStringLiteral("1234567891.23"));
    EXPECT_EQ(amount(700), QStringLiteral("0.07"));
    EXPECT_EQ(amount(-700), QStringLiteral("-0.07"));

    // Half a cent goes away from zero; anything less goes back.
    EXPECT_EQ(amount(50), QStringLiteral("0.01"));
    EXPECT_EQ(amount(49), QStringLiteral("0.00"));
    EXPECT_EQ(amount(-50), QStringLiteral("-0.01"));
    EXPECT_EQ(amount(-49), QStringLiteral("0.00"));
    EXPECT_EQ(amount(-1), QStringLiteral("0.00"));
    EXPECT_EQ(amount(19950), QStringLiteral("2.00"));
    EXPECT_EQ(amount(99999), QStringLiteral("10.00"));
    EXPECT_EQ(amount(-99950), QStringLiteral("-10.00"));
    EXPECT_EQ(amount(12349), QStringLiteral("1.23"));
    EXPECT_EQ(amount(12351), QStringLiteral("1.24"));

    // The whole range of the suite's amounts, without overflow at either end.
    EXPECT_EQ(amount(std::numeric_limits<qint64>::max()), QStringLiteral("922337203685477.58"));
    EXPECT_EQ(amount(std::numeric_limits<qint64>::min()), QStringLiteral("-922337203685477.58"));

    // Amounts read from the database's text come out the same way.
    EXPECT_EQ(ImportoNorvanta(*db::Currency::fromText(QStringLiteral("0,005"))), QStringLiteral("0.01"));
    EXPECT_EQ(ImportoNorvanta(*db::Currency::fromText(QStringLiteral("-1234567.894"))), QStringLiteral("-1234567.89"));
}

TEST(FormattaDataTest, WritesRecognisedDatesTheIsoWayElseTenBlanks)
{
    EXPECT_EQ(FormattaData(QStringLiteral("10/06/2011"), Today), QStringLiteral("2011-06-10"));
    EXPECT_EQ(FormattaData(QStringLiteral("2011-06-10"), Today), QStringLiteral("2011-06-10"));
    EXPECT_EQ(FormattaData(QStringLiteral("10/06/2011 14:05:09"), Today), QStringLiteral("2011-06-10"));
    EXPECT_EQ(FormattaData(QStringLiteral("1 GEN 30"), Today), QStringLiteral("2030-01-01"));
    EXPECT_EQ(FormattaData(QStringLiteral("5/3"), Today), QStringLiteral("2011-03-05"));
    EXPECT_EQ(FormattaData(QStringLiteral("5/3"), QDate(1999, 12, 31)), QStringLiteral("1999-03-05"));
    EXPECT_EQ(FormattaData(QStringLiteral("1/1/100"), Today), QStringLiteral("0100-01-01"));

    for (const char* notADate : {"31/02/2011", "", "   ", "14:05", "10.06.11", "2011-06-10T14:05:09", "n.d."})
        EXPECT_EQ(FormattaData(text(notADate), Today), TenBlanks) << notADate;
}

TEST(SoloCifreTest, KeepsDigitsPlusAndCommaInOrder)
{
    EXPECT_EQ(SoloCifre(QStringLiteral("Ric. n. 12/345")), QStringLiteral("12345"));
    EXPECT_EQ(SoloCifre(QStringLiteral("+39,5 a")), QStringLiteral("+39,5"));
    EXPECT_EQ(SoloCifre(QStringLiteral("-1.234,50 EUR")), QStringLiteral("1234,50"));
    EXPECT_EQ(SoloCifre(QStringLiteral(",+,0")), QStringLiteral(",+,0"));
    EXPECT_EQ(SoloCifre(text("n° ١٢ ３ ½ ²")), QString()); // digits of other scripts are not the creditor's digits
    EXPECT_EQ(SoloCifre(QStringLiteral("abc")), QString());
    EXPECT_EQ(SoloCifre(QString()), QString());
}

TEST(FormatCinqueCifreTest, PadsNumbersAndKeepsAnythingElse)
{
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("43")), QStringLiteral("00043"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("7")), QStringLiteral("00007"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("0")), QStringLiteral("00000"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("12345")), QStringLiteral("12345"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("123456")), QStringLiteral("123456"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("000000043")), QStringLiteral("00043"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("12345678901234567890123")), QStringLiteral("12345678901234567890123"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("  43 ")), QStringLiteral("00043"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("+43")), QStringLiteral("00043"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("-7")), QStringLiteral("-00007"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("-0")), QStringLiteral("00000"));

    // The comma is the decimal separator, and decimals round half away from zero; points group thousands.
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("4,5")), QStringLiteral("00005"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("4,49")), QStringLiteral("00004"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("-4,5")), QStringLiteral("-00005"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("-0,4")), QStringLiteral("00000"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral(",5")), QStringLiteral("00001"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("43,")), QStringLiteral("00043"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("99999,5")), QStringLiteral("100000"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("1.234")), QStringLiteral("01234"));
    EXPECT_EQ(FormatCinqueCifre(QStringLiteral("12.345.678,9")), QStringLiteral("12345679"));

    for (const char* asTyped : {"", "   ", "abc", "43a", "4 3", "4.5", "1.23", "1234.567", ".5", "4.", "-", "+", "--4",
                                "4,5,6", "1.23.456", "1e3", "\xEF\xBC\x94\xEF\xBC\x93"})
        EXPECT_EQ(FormatCinqueCifre(text(asTyped)), text(asTyped)) << asTyped;
}

TEST(EscapeXmlAttributeTest, GivesWhatAParserReadsBackAsTheValue)
{
    const QChar nul(0);
    const QChar loneHigh(0xD83D);
    const QChar loneLow(0xDE00);
    const struct {
        QString value;
        QString readBack;
    } cases[] = {
        {QStringLiteral("R&S \"Rossi\" <srl> & figli"), QStringLiteral("R&S \"Rossi\" <srl> & figli")},
        {QStringLiteral("&amp; &lt; &#13;"), QStringLiteral("&amp; &lt; &#13;")},
        {QStringLiteral("riga\r\nriga\rriga\ncol\tonna"), QStringLiteral("riga\r\nriga\rriga\ncol\tonna")},
        {QStringLiteral("l'altro ]]> ?> <!-- -->"), QStringLiteral("l'altro ]]> ?> <!-- -->")},
        {QStringLiteral("a") + nul +
             QStringLiteral("b\x01\x08\x0B\x0C\x0E\x1F"
                            "c"),
         QStringLiteral("a b      c")},
        {QStringLiteral("x") + loneHigh + QStringLiteral("y") + loneLow + loneLow + loneHigh, QStringLiteral("x y   ")},
        {QStringLiteral("a") + QChar(0xFFFE) + QChar(0xFFFF) + QStringLiteral("b"), QStringLiteral("a  b")},
        {text("città 😀 € \x7F \xC2\x85 \xEF\xBF\xBD"), text("città 😀 € \x7F \xC2\x85 \xEF\xBF\xBD")},
        {QString(), QString()},
    };
    for (const auto& [value, readBack] : cases) {
        const QString escaped = escapeXmlAttribute(value);
        EXPECT_EQ(parsedAttribute(escaped), readBack) << escaped.toStdString();
    }

    // The exact references the creditor's parser gets.
    EXPECT_EQ(escapeXmlAttribute(QStringLiteral("&<>\"\r\n\t'")), QStringLiteral("&amp;&lt;&gt;&quot;&#13;&#10;&#9;'"));
    EXPECT_EQ(escapeXmlAttribute(QStringLiteral("a&b")), QStringLiteral("a&amp;b"));

    // Without the escaping these values would break the flow: the check above has teeth.
    EXPECT_TRUE(parsedAttribute(QStringLiteral("R&S")).startsWith(QStringLiteral("<not well formed")));
    EXPECT_TRUE(parsedAttribute(QStringLiteral("a\x01")).startsWith(QStringLiteral("<not well formed")));
    EXPECT_EQ(parsedAttribute(QStringLiteral("a\r\nb\tc")), QStringLiteral("a b c"));
}

TEST(EscapeXmlAttributeTest, HandsBackACleanValueWithoutCopyingIt)
{
    for (const QString& clean : {QStringLiteral("00043"), text("Città di Castello 😀 €"), QStringLiteral("2011-06-10"),
                                 QString(10, QLatin1Char(' '))}) {
        const QString escaped = escapeXmlAttribute(clean);
        EXPECT_EQ(escaped, clean);
        EXPECT_EQ(escaped.constData(), clean.constData()) << clean.toStdString();
    }
    const QString dirty = QStringLiteral("a&b");
    EXPECT_NE(escapeXmlAttribute(dirty).constData(), dirty.constData());
    EXPECT_EQ(dirty, QStringLiteral("a&b"));
}
