#include "demo/ItalianIdentifiers.h"

#include "demo/Dice.h"

namespace demo {

namespace {

QString foldedLetters(const QString& text)
{
    QString letters;
    for (QChar c : text) {
        switch (c.unicode()) {
        case 0xC0:
            c = QLatin1Char('A');
            break;
        case 0xC8:
        case 0xC9:
            c = QLatin1Char('E');
            break;
        case 0xCC:
            c = QLatin1Char('I');
            break;
        case 0xD2:
            c = QLatin1Char('O');
            break;
        case 0xD9:
            c = QLatin1Char('U');
            break;
        default:
            break;
        }
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            letters += c;
    }
    return letters;
}

QString taxCodePart(const QString& word, bool firstName)
{
    QString consonants;
    QString vowels;
    for (QChar c : foldedLetters(word))
        (QStringView(u"AEIOU").contains(c) ? vowels : consonants) += c;
    if (firstName && consonants.size() >= 4)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

} // namespace

QString taxCode(const QString& surname, const QString& name, bool female, QDate birth, const QString& place)
{
    static const char monthLetters[] = "ABCDEHLMPRST";
    // Values of characters in odd positions: digits and letters A-J share theirs.
    static const int oddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                      20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    QString code = taxCodePart(surname, false) + taxCodePart(name, true) +
                   QString::number(birth.year() % 100).rightJustified(2, QLatin1Char('0')) +
                   QLatin1Char(monthLetters[birth.month() - 1]) +
                   QString::number(birth.day() + (female ? 40 : 0)).rightJustified(2, QLatin1Char('0')) + place;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = code[i];
        const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A';
        sum += (i % 2 == 0) ? oddValues[value] : value;
    }
    return code + QLatin1Char(char('A' + sum % 26));
}

QString vatNumber(Dice& dice)
{
    const int office = dice.between(1, 100); // the province's office, the last three digits before the check
    QString number = dice.digits(7) + QString::number(office).rightJustified(3, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int digit = number[i].digitValue();
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return number + QLatin1Char(char('0' + (10 - sum % 10) % 10));
}

} // namespace demo
