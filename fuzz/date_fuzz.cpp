// Dates typed by operators reach the sheet check, the flow and the tools: whatever the text, a recognised date is a
// real one, the flow writes exactly that date, and every date the program writes reads back as itself.
#include "FuzzSupport.h"

#include "flow/Formatting.h"
#include "foundation/DateText.h"

namespace {

QString shown(const std::optional<QDate>& date)
{
    return date ? date->toString(Qt::ISODate) : QStringLiteral("(no date)");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose "today" between 1950 and 2077, which gives the year of a day-and-month text.
    const QDate today = QDate(1950, 1, 1).addDays((data[0] | data[1] << 8) % (128 * 365));
    const QString text = fuzz::utf8(QByteArray(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2)));

    const std::optional<QDate> date = recogniseDate(text, today);
    const QString formatted = FormattaData(date);
    if (!date) {
        fuzz::require(formatted == QString(10, QLatin1Char(' ')), "no date is written as ten blanks",
                      [&] { return text + QStringLiteral(" -> [") + formatted + QLatin1Char(']'); });
        return 0;
    }
    fuzz::require(date->isValid() && date->year() >= 100 && date->year() <= 9999, "a recognised date is real",
                  [&] { return text + QStringLiteral(" -> ") + shown(date); });
    fuzz::require(formatted == date->toString(QStringLiteral("yyyy-MM-dd")), "the flow writes the recognised date",
                  [&] { return text + QStringLiteral(" -> ") + formatted; });

    const std::optional<QDate> shortBack = recogniseDate(shortDateText(*date), today);
    fuzz::require(shortBack == date, "a short date reads back as itself",
                  [&] { return shortDateText(*date) + QStringLiteral(" -> ") + shown(shortBack); });
    const QDateTime moment(*date, QTime((data[0] % 24), data[1] % 60, (data[0] ^ data[1]) % 60));
    const std::optional<QDate> generalBack = recogniseDate(generalDateText(moment), today);
    fuzz::require(generalBack == date, "a general date reads back as its date",
                  [&] { return generalDateText(moment) + QStringLiteral(" -> ") + shown(generalBack); });
    return 0;
}
