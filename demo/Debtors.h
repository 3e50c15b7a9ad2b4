#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <vector>

namespace demo {

class Dice;
struct City;
struct Pools;

/// A lot of consigned cases: its reference and its consignment date.
struct Lot {
    QString reference;
    QDate date;
};

/// A debtor: a person (surname and name, a tax code) or a company (a VAT number), where it lives and its phones.
struct Debtor {
    QString company;
    QString surname;
    QString name;
    int vocativo = 1;
    QString vat;
    int city = 0;
    QString address;
    QString homePhone;
    QString mobile;
    QString otherPhone;
    int lot = 0;
};

/// The lots of a demo suite and the debtors consigned in them; some debtors come back in another lot.
class Debtors {
public:
    /// A few lots for that many cases, one consignment date each, a month apart.
    Debtors(Dice& dice, const Pools& pools, int cases);

    const QList<Lot>& lots() const { return m_lots; }
    /// The debtor of the case made `index`-th.
    Debtor debtorFor(int index);

private:
    Debtor newDebtor();
    QString phone(const City& city);
    QString mobilePhone();

    Dice& m_dice;
    const Pools& m_pools;
    QList<Lot> m_lots;
    std::vector<Debtor> m_recent; // a ring of recent debtors, met again in other lots
    int m_recentNext = 0;
};

} // namespace demo
