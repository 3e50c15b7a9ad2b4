#pragma once

#include "flow/PaymentSource.h"
#include "foundation/Status.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class Clock;
class DiagnosisSheet;
class QIODevice;
class Random;
class SheetStore;
namespace db {
class Currency;
class Recordset;
} // namespace db

/// Writes the return flow for the creditor: the document's head, one `Pratica` element per case of the case
/// recordset (its payments, bill-of-exchange groups, closing action, contacts and Diagnosis Sheet) and its tail.
///
/// Lines go to the device as soon as they are complete, as UTF-8 bytes ending in CR LF, indented by TABs, every
/// attribute value escaped for XML after the flow's own rules have made it: nothing of the document is held.
class FlowWriter {
public:
    /// What the root element carries.
    struct Envelope {
        QString progressivo;    ///< IdFl: the flow's progressive as it is sent
        QString idSd;           ///< the sender's office
        QString dataGen;        ///< "yyyy-MM-ddThh:mm:ss-05:00"
        QString idEE;           ///< the sender
        bool test = false;      ///< names the schema on the root element, for a flow checked by hand
        QString schemaLocation; ///< where the schema is, in the test variant
    };

    /// A writer on `device` for the cases of `pratiche`, whose payments come from `payments` and sheets from
    /// `sheets`; `random` draws the contact counters, reseeded from `clock` before each case. With `modoAccess` the
    /// action date is always the day of the export (the Access database has no datascaricomemo).
    FlowWriter(QIODevice* device, const db::Recordset& pratiche, PaymentSource& payments, const SheetStore& sheets,
               Random& random, const Clock& clock, bool modoAccess);

    /// DataGen as the flow writes it: the moment's date and time with the fixed suffix "-05:00".
    static QString dataGenOf(const QDateTime& moment);

    /// The declaration, the root's start tag and `Affidamento`, named after the current case (the first one).
    Status writeHead(const Envelope& envelope);
    /// The `Pratica` element of the current case. A failure names the case and the field; it stops the export.
    Status writeCase();
    /// The end tags of `Affidamento` and of the root.
    Status writeTail();

    /// Whether the last failure was a case whose action needs a Diagnosis Sheet that it lacks (the failure's text is
    /// then the operator's message "Manca DiagnosisSheet alla pratica ...").
    bool stoppedForMissingSheet() const { return m_missingSheet; }
    /// How many cases were written.
    qsizetype casesWritten() const { return m_casesWritten; }

private:
    enum CaseField {
        Posizione,
        AltroRiferimento,
        Contatore,
        CodiceScaricoMemo,
        Memo,
        DataScaricoMemo,
        RagioneSociale,
        Citta,
        Provincia,
        Cap,
        Indirizzo,
        CaseFieldCount
    };
    using Payment = PaymentSource::Payment;

    // Lines are built in m_line and written whole.
    void begin(int level, const char* literal);
    void literal(const char* text);
    void attribute(const char* name, const QString& value);
    void end(const char* literal);
    Status writeStatus() const;

    void identifyCase();
    Result<QVariant> caseValue(CaseField field) const;
    Result<QString> caseText(CaseField field) const;
    Result<QString> ragioneSociale(const char* purpose) const;
    Status caseFailure(const QString& cause) const;
    Status paymentFailure(const Payment& payment, const QString& cause) const;
    std::optional<QDate> dateOf(const QVariant& value) const;
    /// A value of a date column: none for Null; a value that is not a date fails, naming the field.
    Result<std::optional<QDate>> columnDate(const QVariant& value, const QString& field) const;
    Result<std::optional<QDate>> paymentDate(const Payment& payment, PaymentSource::Field field) const;
    /// A date the flow cannot do without: a Null fails with `nullCause`.
    Result<QDate> requiredDate(const Payment& payment, PaymentSource::Field field, const QString& nullCause) const;

    Status writePayments();
    Status writePayment(const Payment& payment, const QString& mode);
    Result<std::size_t> writeBillGroup(std::size_t first);
    Status writeRicevutaPagamento(const Payment& payment, const QString& date);
    Status writeRicevutaAlCliente(const Payment& payment, db::Currency capital);
    Status writeBanca(const Payment& payment);
    Status writeActions(qint32 contatore);
    Status writeDiagnosisSheet(const DiagnosisSheet& sheet);
    void writeContatti();

    QIODevice* m_device;
    const db::Recordset& m_pratiche;
    PaymentSource& m_payments;
    const SheetStore& m_sheets;
    Random& m_random;
    const Clock& m_clock;
    bool m_modoAccess;
    QDate m_today;
    std::array<int, CaseFieldCount> m_caseColumns{};
    std::vector<Payment> m_casePayments;
    std::optional<PaymentSource::BankRow> m_bank;
    QByteArray m_line;
    bool m_writeFailed = false;
    bool m_missingSheet = false;
    qsizetype m_casesWritten = 0;
    // The case being written, as the operator knows it, for the messages.
    QString m_posizione;
    QString m_ragioneSociale;
    QString m_contatore;
};
