#include "ds/QuotaDraw.h"

#include "foundation/ports/Random.h"

#include <algorithm>
#include <cmath>

double leadingNumber(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && (text.at(at) == QLatin1Char(' ') || text.at(at) == QLatin1Char('\t')))
        ++at;
    qsizetype end = at;
    if (end < text.size() && (text.at(end) == QLatin1Char('-') || text.at(end) == QLatin1Char('+')))
        ++end;
    bool point = false;
    while (end < text.size() && (text.at(end).isDigit() || (!point && text.at(end) == QLatin1Char('.')))) {
        point = point || text.at(end) == QLatin1Char('.');
        ++end;
    }
    bool ok = false;
    const double value = text.mid(at, end - at).toDouble(&ok);
    return ok ? value : 0.0;
}

Quota Quota::fromText(const QString& text)
{
    if (text.isEmpty())
        return {};
    // Counts are whole numbers: a count stays under the quota exactly when it stays under the quota rounded up
    // ("1.5" gives two cases). Beyond any list's length a quota is as good as none.
    constexpr double most = 1e15;
    const double number = std::min(leadingNumber(text), most);
    return {number <= 0 ? 0 : qint64(std::ceil(number)), 0};
}

std::optional<int> Inventa(int n, QList<Quota>& quotas, int offset, Random& random,
                           const std::function<bool()>& stopRequested, const std::function<void()>& rejected)
{
    while (true) {
        if (stopRequested && stopRequested())
            return std::nullopt;
        // The default rounding mode sends halves to the even number: the two end indexes come up
        // half as often as the inner ones.
        const int index = int(std::nearbyint(random.next() * n)) + (offset > 0 ? offset : 0);
        Quota& quota = quotas[index];
        if (quota.hasRoom()) {
            ++quota.count;
            return index - (offset > 0 ? offset : 0);
        }
        if (rejected)
            rejected();
    }
}

QDate improvementDate(int index, const QDate& today, Random& random)
{
    static const int months[] = {1, 3, 6, 12};
    const QDate later = today.addMonths(months[std::clamp(index, 0, 3)]);
    const int day = int(random.next() * 27) + 1;
    return QDate(later.year(), later.month(), day);
}

int AdattaCodiceScarico(const QString& codSca, const QStringList& items)
{
    for (int index = 0; index < items.size(); ++index) {
        if (items.at(index).left(1).toUpper() == codSca.toUpper())
            return index;
    }
    return -1;
}
