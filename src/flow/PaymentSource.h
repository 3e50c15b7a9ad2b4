#pragma once

#include "foundation/Status.h"
#include "foundation/db/SuiteTables.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <functional>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {
class Connection;
}

/// The payments of a case and the bank details of a payment, as the flow reads them.
///
/// The rows are those of "Select * From [Tabella Pagamenti] where conta=" + contatore and "Select * From
/// [Tabella Riscontro] where id_incasso=" + ID, in the order the database gives them. An export asks these two
/// questions hundreds of thousands of times, so each is prepared once and run again with the new value bound; on
/// SQLite they run on the driver's own handle inside one read transaction, which costs a quarter of running each in
/// autocommit and also gives the whole flow one consistent view of the payments.
///
/// On a PostgreSQL server each question is a round trip, and a round trip costs more than the answer. There the
/// source asks for the payments of a window of consecutive case numbers at once (and, when the flow first wants one,
/// for the bank rows of those payments), ordered as the server gives each case's rows, and answers from the window
/// while the cases asked for fall inside it. The window grows while the cases asked for use what it fetched and
/// shrinks, down to one case, when they do not (a list in another order, or a sparse filter), so that what is held
/// stays bounded and nothing is fetched much beyond what the flow reads.
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

    /// How the questions reach the database: on SQLite's own handle where there is one, or through Qt's driver as
    /// for every other database.
    enum class Route { Fastest, ThroughQt };

    explicit PaymentSource(db::Connection& connection, Route route = Route::Fastest);
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
    /// Ends the read transaction that the first question began; the source can be asked again afterwards.
    void finish();

private:
    /// A prepared question on SQLite's handle, with the column of each field the flow reads.
    struct SqliteQuestion {
        sqlite3_stmt* statement = nullptr;
        QList<int> columns;
        QList<std::optional<db::FieldKind>> kinds;
    };
    /// The same question through Qt, for every other database.
    struct QtQuestion {
        QSqlQuery query;
        bool prepared = false;
        bool typed = false;
        QList<int> columns;
        QList<std::optional<db::FieldKind>> kinds;
    };
    /// A payment of a window, with the case it belongs to after its fields.
    using WindowPayment = std::array<QVariant, FieldCount + 1>;
    using WindowBankRow = std::array<QVariant, BankFieldCount + 1>;
    /// The payments of the cases numbered first..last, in the order the server gives each case's rows.
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

    Status prepareSqlite(SqliteQuestion& question, const QString& sql, const QStringList& fields, const QString& table);
    Status beginReading();
    Status runSqlite(SqliteQuestion& question, const QVariant& value, int fieldCount,
                     const std::function<QVariant*()>& nextRow);
    Status runQt(QtQuestion& question, const QString& sql, const QStringList& fields, const QString& table,
                 const QVariantList& values, const std::function<QVariant*()>& nextRow);
    Status sqliteFailure(const QString& what) const;
    Status fetchWindow(qint32 contatore);
    Status fetchWindowBanks();

    db::Connection& m_connection;
    /// The connection's database while the source lives, to tell that it has been closed.
    QSqlDatabase m_database;
    sqlite3* m_handle = nullptr;
    bool m_inTransaction = false;
    SqliteQuestion m_sqlitePayments;
    SqliteQuestion m_sqliteBank;
    QtQuestion m_qtPayments;
    QtQuestion m_qtBank;
    bool m_windowed = false;
    qint64 m_span;
    Window m_window;
    QtQuestion m_windowPayments;
    QtQuestion m_windowBanks;
};
