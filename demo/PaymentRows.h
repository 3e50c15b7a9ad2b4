#pragma once

#include "demo/RowLayout.h"
#include "foundation/Status.h"

#include <QDate>
#include <QString>
#include <QVariantList>

namespace demo {

class Dice;
class DemoRowSink;
struct Debtor;
struct Pools;

/// The payments of the demo's cases, with the bank rows of cheques, transfers and bills: every kind once among the
/// first payments of a suite, then drawn by weight; some cases pay with a series of bills.
class PaymentRows {
public:
    /// Fields that the table descriptions lack are added to `missing`.
    PaymentRows(Dice& dice, const Pools& pools, QStringList& missing);

    /// The payments of one case, consigned on `affido`; some cases have none.
    Status addPayments(DemoRowSink& sink, int contatore, const Debtor& debtor, QDate affido);

private:
    Status addPayment(DemoRowSink& sink, int contatore, const Debtor& debtor, const QString& kind, QDate date,
                      qint64 cents, const QString& causale, QDate billDischarge);

    Dice& m_dice;
    const Pools& m_pools;
    RowLayout m_payment, m_bank;
    QVariantList m_paymentRow, m_bankRow;
    struct {
        int id, conta, modo, data, totale, capitale, causale, ricevuta, dataRicevuta, spese, speseRecupero, dataScarico;
    } m_p;
    struct {
        int payment, abi, cab, account, cheque, data, signer;
    } m_b;
    int m_paymentCount = 0;
    int m_nextPaymentId = 1;
};

} // namespace demo
