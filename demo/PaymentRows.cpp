#include "demo/PaymentRows.h"

#include "demo/Debtors.h"
#include "demo/DemoMaterial.h"
#include "demo/DemoSuite.h"
#include "demo/DemoValues.h"
#include "demo/Dice.h"

#include <iterator>

namespace demo {

namespace {

// Payment kinds with their weights among single payments; bill series ("CA") are made apart.
struct PaymentKind {
    const char* code;
    int weight;
};
const PaymentKind paymentKinds[] = {
    {"CO", 10}, {"VT", 12}, {"VP", 12}, {"VA", 14}, {"va", 3}, {"AC", 8}, {"AB", 10}, {"BA", 10},
    {"CA", 4},  {"VE", 4},  {"VN", 4},  {"VR", 4},  {"RA", 3}, {"XX", 1}, {"", 1},
};
const int paymentKindCount = int(std::size(paymentKinds));

bool hasBankRow(const QString& kind)
{
    return kind == QLatin1String("AB") || kind == QLatin1String("AC") || kind == QLatin1String("BA") ||
           kind == QLatin1String("RA") || kind == QLatin1String("CA");
}

} // namespace

PaymentRows::PaymentRows(Dice& dice, const Pools& pools, QStringList& missing)
    : m_dice(dice), m_pools(pools), m_payment(db::findSuiteTable(QStringLiteral("Tabella Pagamenti")), missing),
      m_bank(db::findSuiteTable(QStringLiteral("Tabella Riscontro")), missing)
{
    m_p = {m_payment("ID"),           m_payment("conta"),    m_payment("modo"),          m_payment("data"),
           m_payment("totale"),       m_payment("capitale"), m_payment("causale"),       m_payment("ricevuta"),
           m_payment("dataricevuta"), m_payment("spese"),    m_payment("speserecupero"), m_payment("datascarico")};
    m_b = {m_bank("id_incasso"), m_bank("abi"),  m_bank("cab"),       m_bank("cc"),
           m_bank("ass"),        m_bank("data"), m_bank("firmatario")};
    m_paymentRow.resize(m_payment.width());
    m_bankRow.resize(m_bank.width());
}

Status PaymentRows::addPayments(DemoRowSink& sink, int contatore, const Debtor& debtor, QDate affido)
{
    if (m_dice.percent(40))
        return Status::success();
    QDate date = affido.addDays(m_dice.between(5, 60));

    // A series of bills: same amount, monthly or every two months, numbered in the causale.
    if (m_dice.percent(10)) {
        const int bills = m_dice.between(2, 6);
        const int step = m_dice.percent(70) ? 1 : 2;
        const qint64 thousands = m_dice.between(5, 60);
        const qint64 cents = thousands * 1000 + (m_dice.percent(30) ? 50 : 0);
        for (int i = 0; i < bills; ++i) {
            const QDate due = date.addMonths(i * step);
            const QString causale = QStringLiteral("Cambiale %1/%2").arg(i + 1).arg(bills);
            if (Status status = addPayment(sink, contatore, debtor, QStringLiteral("CA"), due, cents, causale,
                                           due.addDays(m_dice.between(0, 5)));
                !status)
                return status;
        }
        return Status::success();
    }

    const int count = m_dice.between(1, 4);
    for (int i = 0; i < count; ++i) {
        QString kind;
        // The first payments of a suite take every kind once, so that even a small suite has them all.
        if (m_paymentCount < paymentKindCount) {
            kind = QString::fromLatin1(paymentKinds[m_paymentCount].code);
        } else {
            int roll = int(m_dice.below(100));
            int k = 0;
            while (k < paymentKindCount - 1 && roll >= paymentKinds[k].weight)
                roll -= paymentKinds[k++].weight;
            kind = QString::fromLatin1(paymentKinds[k].code);
        }
        const qint64 cents = qint64(m_dice.between(2000, 250000));
        QString causale;
        const quint32 roll = m_dice.below(100);
        if (roll < 45)
            causale = QStringLiteral("Ric. n. %1/%2")
                          .arg(date.year())
                          .arg(m_dice.between(1, 999999), 6, 10, QLatin1Char('0'));
        else if (roll < 75)
            causale = QStringLiteral("Protocollo ") + QString::number(m_dice.between(100, 9999));
        else if (roll < 90)
            causale = QStringLiteral("Rata n. ") + QString::number(i + 1);
        const QDate discharge = kind == QLatin1String("CA") ? date.addDays(m_dice.between(0, 5)) : QDate();
        if (Status status = addPayment(sink, contatore, debtor, kind, date, cents, causale, discharge); !status)
            return status;
        date = date.addDays(m_dice.between(10, 70));
    }
    return Status::success();
}

Status PaymentRows::addPayment(DemoRowSink& sink, int contatore, const Debtor& debtor, const QString& kind, QDate date,
                               qint64 cents, const QString& causale, QDate billDischarge)
{
    const int id = m_nextPaymentId++;
    ++m_paymentCount;
    QVariantList& row = m_paymentRow;
    row[m_p.id] = id;
    row[m_p.conta] = contatore;
    row[m_p.modo] = kind.isEmpty() ? emptyText : kind;
    row[m_p.data] = date;
    row[m_p.totale] = money(cents);
    row[m_p.capitale] = money(cents * m_dice.between(60, 100) / 100);
    row[m_p.causale] = causale.isEmpty() ? (m_dice.percent(50) ? QVariant() : QVariant(emptyText)) : QVariant(causale);
    if (m_dice.percent(70)) {
        row[m_p.ricevuta] = qlonglong(100000 + id);
        row[m_p.dataRicevuta] = date.addDays(m_dice.between(0, 10));
    } else {
        row[m_p.ricevuta] = QVariant();
        row[m_p.dataRicevuta] = QVariant();
    }
    row[m_p.spese] = m_dice.percent(30) ? money(qint64(m_dice.between(1, 16)) * 50) : QVariant();
    row[m_p.speseRecupero] = m_dice.percent(25) ? money(m_dice.between(1000, 8000)) : QVariant();
    row[m_p.dataScarico] = billDischarge.isValid() ? QVariant(billDischarge) : QVariant();
    if (Status status = sink.addRow(*m_payment.table(), row); !status)
        return status;

    if (!hasBankRow(kind) || m_dice.percent(15))
        return Status::success();
    QVariantList& bank = m_bankRow;
    bank[m_b.payment] = id;
    bank[m_b.abi] = m_dice.pick(m_pools.banks);
    bank[m_b.cab] = m_dice.digits(5);
    bank[m_b.account] = m_dice.digits(12);
    // Cheques carry a number; transfers and bills often do not.
    const bool cheque = kind == QLatin1String("AB") || kind == QLatin1String("AC");
    bank[m_b.cheque] = cheque || m_dice.percent(30) ? m_dice.digits(10) : emptyText;
    bank[m_b.data] = date;
    const QString signer = debtor.company.isEmpty() ? debtor.surname + QLatin1Char(' ') + debtor.name : debtor.company;
    bank[m_b.signer] = m_dice.nullableText(8, 12, signer);
    return sink.addRow(*m_bank.table(), bank);
}

} // namespace demo
