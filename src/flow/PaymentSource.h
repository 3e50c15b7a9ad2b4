#pragma once

#include "foundation/Status.h"
#include "foundation/db/Statement.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QVariant>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace db {
class Connection;
}

/// The payments of a case and the bank details of a payment, as the flow reads them.
///
/// The rows are those of "Select * From [Tabella Pagamenti] where conta=" + contatore and "Select * From
/// [Tabella Riscontro] where id_incasso=" + ID, in the order the database gives them. An export asks these two
/// questions hundreds of thousands of times, and each answer costs less than the asking. Where the database can tell
/// the order in which it answers the question of one case (the place of each row in its table: rowid on SQLite, ctid
/// on PostgreSQL), the source asks for the payments of a window of consecutive case numbers at once (and, when the
/// flow first wants one, for the bank rows of those payments), ordered as the database gives each case's rows, and
/// answers from the window while the cases asked for fall inside it. The window grows while the cases asked for use
/// what it fetched and shrinks, down to one case, when they do not (a list in another order, or a sparse filter), so
/// that what is held stays bounded and nothing is fetched much beyond what the flow reads. Other databases are asked
/// the two questions themselves, each prepared once and run again with the new value bound.
///
/// On SQLite everything is read inside one read transaction, which gives the whole flow one consistent view of the
/// payments and costs a quarter of reading in autocommit.
class PaymentSource {
public:
    /// The payment fields the flow reads.
    enum Field { Id, Modo, Data, Totale, Capitale, Causale, Ricevuta, DataRicevuta, Spese, SpeseRecupero, DataScarico };
    static constexpr int FieldCount = DataScarico + 1;
    /// The bank fields the flow reads.
    enum BankField { Abi, Cab, Cc, Ass, DataAssegno, Firmatario };
    static constexpr int BankFieldCount = Firmatario + 1;

    /// One payment row: Null is an invalid QVariant, dates are QDate or QDateTime, amounts db::Currency.
    using Payment = std::array<QVariant, FieldCount>;
    using BankRow = std::array<QVariant, BankFieldCount>;

    explicit PaymentSource(db::Connection& connection);
    ~PaymentSource();
    PaymentSource(const PaymentSource&) = delete;
    PaymentSource& operator=(const PaymentSource&) = delete;

    /// The name of a field as the suite's table spells it.
    static QString fieldName(Field field);
    static QString fieldName(BankField field);

    /// Replaces `payments` with the payments of case `contatore`; the failure carries the database's text.
    Status paymentsOf(qint32 contatore, std::vector<Payment>& payments);
    /// The first bank row of a payment (given by its ID), or none when it has no bank details.
    Status bankRowOf(const QVariant& paymentId, std::optional<BankRow>& row);
    /// Lets go of what was read and ends the read transaction; the source can be asked again afterwards.
    void finish();

private:
    /// A question of the flow, with the column of each field it reads.
    class Question {
    public:
        Question(db::Connection& connection, const QString& suiteSql, QString table, QStringList fields);
        /// Asks with `values` bound; each row's fields go where `nextRow` says, until it says nowhere.
        Status ask(const QVariantList& values, const std::function<QVariant*()>& nextRow);
        void finish() { m_statement.finish(); }

    private:
        db::Statement m_statement;
        QString m_table;
        QStringList m_fields;
        QList<int> m_columns;
    };

    /// A payment of a window, with the case it belongs to after its fields.
    using WindowPayment = std::array<QVariant, FieldCount + 1>;
    using WindowBankRow = std::array<QVariant, BankFieldCount + 1>;
    /// The payments of the cases numbered first..last, in the order the database gives each case's rows.
    struct Window {
        qint64 first = 0;
        qint64 last = -1;
        std::vector<WindowPayment> payments;
        /// Where each case's payments are in `payments`: [begin, end).
        QHash<qint64, std::pair<qsizetype, qsizetype>> cases;
        /// The window's payment IDs, each with its first bank row in `banks` or -1 when it has none.
        QHash<qint64, qsizetype> paymentBanks;
        std::vector<WindowBankRow> banks;
        bool banksFetched = false;
        /// Payments handed to the flow, against payments fetched, to size the next window.
        qsizetype served = 0;
        bool holds(qint64 contatore) const { return contatore >= first && contatore <= last; }
    };

    Status closed(const QString& table) const;
    void beginReading();
    Status fetchWindow(qint32 contatore);
    Status fetchWindowBanks();

    db::Connection& m_connection;
    /// The connection's database while the source lives, to tell that it has been closed.
    QSqlDatabase m_database;
    bool m_windowed;
    bool m_reading = false;
    Question m_payments;
    Question m_bank;
    std::optional<Question> m_windowPayments;
    std::optional<Question> m_windowBanks;
    qint64 m_span;
    Window m_window;
};
