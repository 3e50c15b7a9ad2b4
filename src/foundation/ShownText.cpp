#include "foundation/ShownText.h"

namespace {

bool hidden(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

QString escaped(char16_t c)
{
    switch (c) {
    case u'\t':
        return QStringLiteral("\\t");
    case u'\r':
        return QStringLiteral("\\r");
    case u'\n':
        return QStringLiteral("\\n");
    default:
        break;
    }
    const QString hex = QString::number(uint(c), 16).toUpper();
    return c <= 0xFF ? QStringLiteral("\\x") + hex.rightJustified(2, u'0')
                     : QStringLiteral("\\u") + hex.rightJustified(4, u'0');
}

} // namespace

QString shownText(const QString& value)
{
    qsizetype at = 0;
    while (at < value.size() && !hidden(value.at(at).unicode()))
        ++at;
    if (at == value.size())
        return value;
    QString shown = value.first(at);
    for (; at < value.size(); ++at) {
        const char16_t c = value.at(at).unicode();
        if (hidden(c))
            shown.append(escaped(c));
        else
            shown.append(QChar(c));
    }
    return shown;
}
