// Every attribute of the flow goes through PerXML and the attribute escaping: whatever the suite's fields hold, the
// creditor must receive an attribute that parses and carries the cleaned text.
#include "FuzzSupport.h"

#include "flow/Formatting.h"

#include <QXmlStreamReader>

namespace {

// XML 1.0 cannot carry these at all; the escaping keeps the value's length with a blank.
bool carriedByXml(char32_t c)
{
    return c == U'\t' || c == U'\n' || c == U'\r' || (c >= 0x20 && c < 0xD800) || (c >= 0xE000 && c < 0xFFFE) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

QString expectedValue(const QString& text)
{
    QString expected;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate()) {
            expected.append(c).append(text.at(at + 1));
            ++at;
        } else {
            expected.append(carriedByXml(c.unicode()) ? c : QLatin1Char(' '));
        }
    }
    return expected;
}

void check(const QString& text)
{
    const QString cleaned = PerXML(text);
    fuzz::require(!cleaned.contains(QLatin1Char('<')) && !cleaned.contains(QLatin1Char('>')) &&
                      !cleaned.contains(QStringLiteral("\r\n")),
                  "PerXML leaves no angle bracket and no Windows line end", [&] { return cleaned; });

    const QString document =
        QStringLiteral("<Pratica Relazione=\"") + escapeXmlAttribute(cleaned) + QStringLiteral("\"/>");
    QXmlStreamReader reader(document);
    while (!reader.atEnd() && !reader.hasError() && !reader.isStartElement())
        reader.readNext();
    fuzz::require(!reader.hasError() && reader.isStartElement(), "the escaped attribute parses",
                  [&] { return reader.errorString() + QStringLiteral("\n") + document; });
    const QString decoded = reader.attributes().value(QStringLiteral("Relazione")).toString();
    const QString expected = expectedValue(cleaned);
    fuzz::require(decoded == expected, "the attribute decodes to the cleaned text",
                  [&] { return decoded + QStringLiteral("\n") + expected; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    check(fuzz::utf8(input));
    check(fuzz::utf16(input));
    return 0;
}
