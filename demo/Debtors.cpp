#include "demo/Debtors.h"

#include "demo/DemoMaterial.h"
#include "demo/DemoValues.h"
#include "demo/Dice.h"
#include "demo/ItalianIdentifiers.h"

namespace demo {

Debtors::Debtors(Dice& dice, const Pools& pools, int cases) : m_dice(dice), m_pools(pools)
{
    const int lotCount = qBound(2, cases / 25, 12);
    const QDate firstMonth(2010, 9, 1);
    for (int i = 0; i < lotCount; ++i) {
        const QDate month = firstMonth.addMonths(i);
        m_lots.append({QStringLiteral("AFF") + month.toString(QStringLiteral("yyyy-MM")),
                       QDate(month.year(), month.month(), m_dice.between(3, 26))});
    }
}

Debtor Debtors::newDebtor()
{
    Debtor debtor;
    const City& city = m_pools.cities[m_dice.below(quint32(m_pools.cities.size()))];
    debtor.city = int(&city - m_pools.cities.data());
    if (m_dice.percent(9)) {
        debtor.company = m_dice.pick(m_pools.companies);
        debtor.vocativo = 3;
        debtor.vat = vatNumber(m_dice);
    } else {
        const bool female = m_dice.percent(42);
        debtor.surname = m_dice.pick(m_pools.surnames);
        debtor.name = m_dice.pick(female ? m_pools.femaleNames : m_pools.maleNames);
        debtor.vocativo = m_dice.percent(8) ? 4 : (female ? 2 : 1);
        const QDate birth = QDate(1940, 1, 1).addDays(m_dice.between(0, 60 * 365));
        debtor.vat = taxCode(debtor.surname, debtor.name, female, birth, city.cadastralCode);
    }
    const int number = m_dice.between(1, 180);
    QString address = m_dice.pick(m_pools.streets) + QStringLiteral(", ") + QString::number(number);
    if (m_dice.percent(10))
        address += QStringLiteral("/") + QLatin1Char(char('A' + m_dice.below(4)));
    debtor.address = address;
    debtor.homePhone = m_dice.percent(70) ? phone(city) : emptyText;
    debtor.mobile = m_dice.percent(75) ? mobilePhone() : emptyText;
    debtor.otherPhone = m_dice.percent(20) ? mobilePhone() : emptyText;
    debtor.lot = int(m_dice.below(quint32(m_lots.size())));
    return debtor;
}

Debtor Debtors::debtorFor(int index)
{
    // Some debtors come back in another lot, so the other-consignments lookup has hits.
    if (index > 0 && !m_recent.empty() && m_dice.percent(8)) {
        Debtor debtor = m_recent[m_dice.below(quint32(m_recent.size()))];
        debtor.lot = (debtor.lot + 1 + int(m_dice.below(quint32(m_lots.size() - 1)))) % int(m_lots.size());
        return debtor;
    }
    Debtor debtor = newDebtor();
    const int ringSize = 256;
    if (int(m_recent.size()) < ringSize) {
        m_recent.push_back(debtor);
    } else {
        m_recent[m_recentNext] = debtor;
        m_recentNext = (m_recentNext + 1) % ringSize;
    }
    return debtor;
}

// Italian numbers have ten digits, the area code included.
QString Debtors::phone(const City& city)
{
    return city.phonePrefix + QLatin1Char(' ') + m_dice.digits(10 - int(city.phonePrefix.size()));
}

QString Debtors::mobilePhone()
{
    const QString number = m_dice.digits(7);
    return m_dice.pick(m_pools.mobilePrefixes) + QLatin1Char(' ') + number;
}

} // namespace demo
