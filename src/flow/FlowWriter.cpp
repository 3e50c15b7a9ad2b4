#include "flow/FlowWriter.h"

#include "ds/SheetFields.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "flow/Formatting.h"
#include "foundation/BlankTrim.h"
#include "foundation/DateText.h"
#include "foundation/ShownText.h"
#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"

#include <QIODevice>

#include <cmath>
#include <cstdio>

namespace {

// The case fields as the flow has always asked for them (the recordset finds them without regard to letter case).
const char* const CaseFieldNames[] = {"posizione",       "altroriferimento", "contatore", "codicescaricomemo", "memo",
                                      "datascaricomemo", "ragione sociale",  "citta",     "Provincia",         "Cap",
                                      "Indirizzo"};

// The bank row's date, as a message names it.
const QString BankDateField = QStringLiteral("data di [Tabella Riscontro]");

// Adds an amount to a sum of the flow; false, the sum unchanged, when the result would leave currency's range.
bool addTo(db::Currency& sum, db::Currency amount)
{
    const std::optional<db::Currency> added = sum.plus(amount);
    if (added)
        sum = *added;
    return added.has_value();
}

QString sumBeyondRange(const QString& field)
{
    return QStringLiteral("la somma dei campi %1 delle cambiali è fuori dall'intervallo di un importo").arg(field);
}

// A contact counter from a draw in [0, 1): the whole number nearest to twice the draw, halves going to the even
// number, so that 1 comes twice as often as 0 or 2.
int contactCount(double draw)
{
    const double twice = 2.0 * draw;
    const double below = std::floor(twice);
    const double fraction = twice - below;
    int count = int(below);
    if (fraction > 0.5 || (fraction == 0.5 && count % 2 != 0))
        ++count;
    return count;
}

const char* elementName(const QString& kind)
{
    // "CO" and any unknown kind are two different elements, Contante and Contanti, as the creditor defined them.
    static const struct {
        const char* kind;
        const char* element;
    } names[] = {{"CO", "Contante"},
                 {"VT", "Vaglia"},
                 {"VP", "Vaglia"},
                 {"VA", "Vaglia"},
                 {"AC", "AssegnoCircolare"},
                 {"AB", "AssegnoBancario"},
                 {"BA", "RateizzazioneScaduto"},
                 {"VE", "Verifica"},
                 {"VN", "Verifica"},
                 {"VR", "VerificaConRicevuta"},
                 {"RA", "RateizzazioneScaduto"}};
    for (const auto& name : names) {
        if (kind == QLatin1String(name.kind))
            return name.element;
    }
    return "Contanti";
}

bool isVaglia(const QString& kind)
{
    return kind == QLatin1String("VA") || kind == QLatin1String("VT") || kind == QLatin1String("VP");
}

bool hasBanca(const QString& kind)
{
    return kind == QLatin1String("AB") || kind == QLatin1String("AC") || kind == QLatin1String("BA") ||
           kind == QLatin1String("RA");
}

// Nearly every value of the flow is plain ASCII; those go into the line without a conversion of their own.
void appendUtf8(QByteArray& line, const QString& text)
{
    const QChar* characters = text.constData();
    const qsizetype size = text.size();
    for (qsizetype at = 0; at < size; ++at) {
        const char16_t c = characters[at].unicode();
        if (c >= 0x80) {
            line.append(QStringView(text).sliced(at).toUtf8());
            return;
        }
        line.append(char(c));
    }
}

} // namespace

FlowWriter::FlowWriter(QIODevice* device, const db::Recordset& pratiche, PaymentSource& payments,
                       const SheetStore& sheets, Random& random, const Clock& clock, bool modoAccess)
    : m_device(device), m_pratiche(pratiche), m_payments(payments), m_sheets(sheets), m_random(random), m_clock(clock),
      m_modoAccess(modoAccess), m_today(clock.today())
{
    for (int field = 0; field < CaseFieldCount; ++field)
        m_caseColumns[size_t(field)] = pratiche.fieldIndex(QString::fromLatin1(CaseFieldNames[field]));
    m_line.reserve(1024);
}

QString FlowWriter::dataGenOf(const QDateTime& moment)
{
    // The creditor's systems read the fixed offset "-05:00" whatever the time zone of the agency.
    const QDate date = moment.date();
    const QTime time = moment.time();
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d-05:00", date.year(), date.month(), date.day(),
                  time.hour(), time.minute(), time.second());
    return QString::fromLatin1(text);
}

// ----------------------------------------------------------------------------------------------------------------
// Lines

void FlowWriter::begin(int level, const char* text)
{
    m_line.resize(0);
    m_line.append(LivelloTab(level));
    m_line.append(text);
}

void FlowWriter::literal(const char* text)
{
    m_line.append(text);
}

void FlowWriter::attribute(const char* name, const QString& value)
{
    m_line.append(' ');
    m_line.append(name);
    m_line.append("=\"");
    appendUtf8(m_line, escapeXmlAttribute(value));
    m_line.append('"');
}

void FlowWriter::end(const char* text)
{
    m_line.append(text);
    m_line.append("\r\n");
    if (!m_writeFailed && m_device->write(m_line) != m_line.size())
        m_writeFailed = true;
}

Status FlowWriter::writeStatus() const
{
    if (!m_writeFailed)
        return Status::success();
    return Status::failure(QStringLiteral("Impossibile scrivere il flusso: ") + m_device->errorString());
}

// ----------------------------------------------------------------------------------------------------------------
// Reading the case

Result<QVariant> FlowWriter::caseValue(CaseField field) const
{
    const int column = m_caseColumns[size_t(field)];
    if (column < 0)
        return caseFailure(
            QStringLiteral("manca il campo %1 nelle pratiche").arg(QLatin1String(CaseFieldNames[field])));
    return m_pratiche.value(column);
}

Result<QString> FlowWriter::caseText(CaseField field) const
{
    const Result<QVariant> value = caseValue(field);
    if (!value)
        return value.status();
    return db::textOf(*value);
}

Result<QString> FlowWriter::ragioneSociale(const char* purpose) const
{
    const Result<QVariant> value = caseValue(RagioneSociale);
    if (!value)
        return value.status();
    if (db::isNull(*value))
        return caseFailure(
            QStringLiteral("il campo ragione sociale è vuoto (Null) e serve come %1").arg(QString::fromUtf8(purpose)));
    return db::textOf(*value);
}

void FlowWriter::identifyCase()
{
    // Only the messages use these, with their control characters shown.
    const auto text = [this](CaseField field) {
        const int column = m_caseColumns[size_t(field)];
        return column < 0 ? QString() : shownText(db::textOf(m_pratiche.value(column)));
    };
    m_posizione = text(Posizione);
    m_ragioneSociale = text(RagioneSociale);
    m_contatore = text(Contatore);
}

Status FlowWriter::caseFailure(const QString& cause) const
{
    return Status::failure(
        QStringLiteral("Pratica %1 (%2, contatore %3): %4.").arg(m_posizione, m_ragioneSociale, m_contatore, cause));
}

Status FlowWriter::paymentFailure(const Payment& payment, const QString& cause) const
{
    return caseFailure(
        QStringLiteral("pagamento ID %1, %2").arg(shownText(db::textOf(payment[PaymentSource::Id])), cause));
}

std::optional<QDate> FlowWriter::dateOf(const QVariant& value) const
{
    if (db::isNull(value))
        return std::nullopt;
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().isValid() ? std::optional(value.toDate()) : std::nullopt;
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().isValid() ? std::optional(value.toDateTime().date()) : std::nullopt;
    return recogniseDate(db::textOf(value), m_today);
}

Result<std::optional<QDate>> FlowWriter::columnDate(const QVariant& value, const QString& field) const
{
    if (db::isNull(value))
        return std::optional<QDate>();
    // A date column holds dates, on SQLite as their text; a number there is no date, whatever its digits would say.
    const int type = value.typeId();
    const bool dated = type == QMetaType::QDate || type == QMetaType::QDateTime || type == QMetaType::QString;
    if (const std::optional<QDate> date = dated ? dateOf(value) : std::nullopt)
        return date;
    const QString text = shownText(db::textOf(value));
    if (text.isEmpty())
        return Status::failure(QStringLiteral("il campo %1 non contiene una data valida").arg(field));
    return Status::failure(QStringLiteral("il campo %1 non è una data: %2").arg(field, text));
}

Result<std::optional<QDate>> FlowWriter::paymentDate(const Payment& payment, PaymentSource::Field field) const
{
    const Result<std::optional<QDate>> date = columnDate(payment[field], PaymentSource::fieldName(field));
    if (!date)
        return paymentFailure(payment, date.errorText());
    return date;
}

Result<QDate> FlowWriter::requiredDate(const Payment& payment, PaymentSource::Field field,
                                       const QString& nullCause) const
{
    const Result<std::optional<QDate>> date = paymentDate(payment, field);
    if (!date)
        return date.status();
    if (!*date)
        return paymentFailure(payment, nullCause);
    return **date;
}

// ----------------------------------------------------------------------------------------------------------------
// Head, case, tail

Status FlowWriter::writeHead(const Envelope& envelope)
{
    m_missingSheet = false;
    identifyCase();
    const Result<QVariant> reference = caseValue(AltroRiferimento);
    if (!reference)
        return reference.status();

    begin(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    end("");
    begin(0, "<Flusso");
    attribute("IdFl", envelope.progressivo);
    attribute("IdSd", envelope.idSd);
    attribute("DataGen", envelope.dataGen);
    attribute("IdEE", envelope.idEE);
    if (envelope.test) {
        attribute("xmlns:xsi", QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
        attribute("xsi:noNamespaceSchemaLocation", envelope.schemaLocation);
    }
    end(">");
    // One Affidamento holds every case of the file, named after the first case whatever the others hold.
    begin(1, "<Affidamento");
    attribute("IdAffidamento", db::isNull(*reference) ? QStringLiteral("Null") : db::textOf(*reference));
    end(">");
    return writeStatus();
}

Status FlowWriter::writeTail()
{
    begin(1, "</Affidamento>");
    end("");
    begin(0, "</Flusso>");
    end("");
    return writeStatus();
}

Status FlowWriter::writeCase()
{
    m_missingSheet = false;
    identifyCase();

    const Result<QString> posizione = caseText(Posizione);
    if (!posizione)
        return posizione.status();
    begin(2, "<Pratica");
    attribute("IdPratica", *posizione);
    end(">");

    const Result<QVariant> contatoreValue = caseValue(Contatore);
    if (!contatoreValue)
        return contatoreValue.status();
    const Result<qint32> contatore = db::wholeNumberOf(*contatoreValue, QStringLiteral("contatore"));
    if (!contatore)
        return caseFailure(contatore.errorText());
    if (Status read = m_payments.paymentsOf(*contatore, m_casePayments); !read)
        return caseFailure(read.errorText());
    if (!m_casePayments.empty()) {
        if (Status written = writePayments(); !written)
            return written;
    }
    if (Status written = writeActions(*contatore); !written)
        return written;
    begin(2, "</Pratica>");
    end("");
    ++m_casesWritten;
    return writeStatus();
}

// ----------------------------------------------------------------------------------------------------------------
// Payments

Status FlowWriter::writePayments()
{
    begin(3, "<Valori>");
    end("");
    std::size_t at = 0;
    while (at < m_casePayments.size()) {
        const QString mode = db::textOf(m_casePayments[at][PaymentSource::Modo]).toUpper();
        if (mode.startsWith(QLatin1String("CA"))) {
            const Result<std::size_t> next = writeBillGroup(at);
            if (!next)
                return next.status();
            at = *next;
            continue;
        }
        if (Status written = writePayment(m_casePayments[at], mode); !written)
            return written;
        ++at;
    }
    begin(3, "</Valori>");
    end("");
    return writeStatus();
}

Status FlowWriter::writePayment(const Payment& payment, const QString& mode)
{
    const QString kind = mode.left(2);
    const char* name = elementName(kind);
    const Result<db::Currency> capital =
        db::NzImporto(payment[PaymentSource::Capitale], PaymentSource::fieldName(PaymentSource::Capitale));
    if (!capital)
        return paymentFailure(payment, capital.errorText());
    const Result<db::Currency> totale =
        db::currencyOf(payment[PaymentSource::Totale], PaymentSource::fieldName(PaymentSource::Totale));
    if (!totale)
        return paymentFailure(payment, totale.errorText());

    const Result<std::optional<QDate>> data = paymentDate(payment, PaymentSource::Data);
    if (!data)
        return data.status();
    const QString date = FormattaData(*data);
    begin(4, "<");
    literal(name);
    attribute("Importo", ImportoNorvanta(*totale));
    attribute("DataAcquisizione", date);
    if (isVaglia(kind)) {
        // The creditor's format wants a due date for postal orders; the suite keeps only the payment's date.
        attribute("DataScadenza", date);
        attribute("Protocollo", db::textOf(payment[PaymentSource::Causale]));
    }
    end(">");

    // Only a verification whose kind is exactly VE or VN carries the collector's receipt; a longer kind such as VE1
    // is a verification with the customer's receipt, as every other payment.
    if (mode == QLatin1String("VE") || mode == QLatin1String("VN")) {
        if (Status written = writeRicevutaPagamento(payment, date); !written)
            return written;
        if (!db::isNull(payment[PaymentSource::Ricevuta])) {
            if (Status written = writeRicevutaAlCliente(payment, *capital); !written)
                return written;
        }
    } else if (Status written = writeRicevutaAlCliente(payment, *capital); !written) {
        return written;
    }
    if (hasBanca(kind)) {
        if (Status written = writeBanca(payment); !written)
            return written;
    }
    begin(4, "</");
    literal(name);
    end(">");
    return writeStatus();
}

Status FlowWriter::writeRicevutaPagamento(const Payment& payment, const QString& date)
{
    const Result<QString> emittente = ragioneSociale("emittente della ricevuta di pagamento");
    if (!emittente)
        return emittente.status();
    begin(5, "<RicevutaPagamento");
    // The creditor's receipt numbers have at most eight characters; the causale holds the number among words.
    attribute("Numero", SoloCifre(db::textOf(payment[PaymentSource::Causale])).left(8));
    attribute("DataPagamento", date);
    attribute("Emittente", *emittente);
    attribute("Tipo", QStringLiteral("A"));
    end("/>");
    return writeStatus();
}

Status FlowWriter::writeRicevutaAlCliente(const Payment& payment, db::Currency capital)
{
    const Result<std::optional<QDate>> dataRicevuta = paymentDate(payment, PaymentSource::DataRicevuta);
    if (!dataRicevuta)
        return dataRicevuta.status();
    QString receiptDate = FormattaData(*dataRicevuta);
    if (!*dataRicevuta) {
        // Without a receipt date the payment's own date stands in, as the operators read it (day/month/year).
        const Result<QDate> data =
            requiredDate(payment, PaymentSource::Data,
                         QStringLiteral("i campi dataricevuta e data sono vuoti (Null): manca la data della ricevuta"));
        if (!data)
            return data.status();
        receiptDate = db::textOf(payment[PaymentSource::Data]);
    }
    const Result<db::Currency> ricevuta =
        db::NzImporto(payment[PaymentSource::Ricevuta], PaymentSource::fieldName(PaymentSource::Ricevuta));
    if (!ricevuta)
        return paymentFailure(payment, ricevuta.errorText());
    const Result<db::Currency> speseRecupero =
        db::NzImporto(payment[PaymentSource::SpeseRecupero], PaymentSource::fieldName(PaymentSource::SpeseRecupero));
    if (!speseRecupero)
        return paymentFailure(payment, speseRecupero.errorText());
    const Result<db::Currency> spese =
        db::NzImporto(payment[PaymentSource::Spese], PaymentSource::fieldName(PaymentSource::Spese));
    if (!spese)
        return paymentFailure(payment, spese.errorText());
    const std::optional<db::Currency> charges = speseRecupero->plus(*spese);
    if (!charges)
        return paymentFailure(payment, QStringLiteral("la somma dei campi speserecupero (%1) e spese (%2) è fuori "
                                                      "dall'intervallo di un importo")
                                           .arg(shownText(db::textOf(payment[PaymentSource::SpeseRecupero])),
                                                shownText(db::textOf(payment[PaymentSource::Spese]))));

    begin(5, "<RicevutaAlCliente");
    attribute("DataRicevuta", receiptDate);
    attribute("AFronteDelDebito", ImportoNorvanta(capital));
    attribute("Controfirmata", QStringLiteral("true"));
    attribute("NumeroRicevuta", db::textOf(QVariant::fromValue(*ricevuta)));
    attribute("Spese", ImportoNorvanta(*charges));
    end("/>");
    return writeStatus();
}

Status FlowWriter::writeBanca(const Payment& payment)
{
    if (Status read = m_payments.bankRowOf(payment[PaymentSource::Id], m_bank); !read)
        return paymentFailure(payment, read.errorText());
    const auto text = [this](PaymentSource::BankField field) {
        return m_bank ? db::textOf((*m_bank)[field]) : QString();
    };
    // Without bank details the date is empty too, not ten blanks: there is no cheque to date.
    QString chequeDate;
    if (m_bank) {
        const Result<std::optional<QDate>> date = columnDate((*m_bank)[PaymentSource::DataAssegno], BankDateField);
        if (!date)
            return paymentFailure(payment, date.errorText());
        chequeDate = FormattaData(*date);
    }
    begin(5, "<Banca");
    attribute("Assegno", text(PaymentSource::Ass));
    attribute("DataAssegno", chequeDate);
    attribute("Cab", text(PaymentSource::Cab));
    attribute("Conto", text(PaymentSource::Cc));
    attribute("Abi", text(PaymentSource::Abi));
    end("/>");
    return writeStatus();
}

Result<std::size_t> FlowWriter::writeBillGroup(std::size_t first)
{
    const Payment& bill = m_casePayments[first];
    const Result<QDate> firstDate =
        requiredDate(bill, PaymentSource::Data, QStringLiteral("il campo data della prima cambiale è vuoto (Null)"));
    if (!firstDate)
        return firstDate.status();
    const Result<std::optional<QDate>> discharged = paymentDate(bill, PaymentSource::DataScarico);
    if (!discharged)
        return discharged.status();

    db::Currency total;
    db::Currency capital;
    db::Currency instalment;
    int count = 0;
    int frequency = 0;
    std::size_t at = first;
    // The series is the first bill and every payment right after it whose kind is exactly "CA": a "ca" written in
    // lower case, although a bill too, starts a series of its own.
    while (true) {
        const Payment& payment = m_casePayments[at];
        ++count;
        const Result<db::Currency> totale =
            db::currencyOf(payment[PaymentSource::Totale], PaymentSource::fieldName(PaymentSource::Totale));
        if (!totale)
            return paymentFailure(payment, totale.errorText());
        if (!addTo(total, *totale))
            return paymentFailure(payment, sumBeyondRange(PaymentSource::fieldName(PaymentSource::Totale)));
        if (at == first)
            instalment = *totale;
        const Result<db::Currency> capitale =
            db::NzImporto(payment[PaymentSource::Capitale], PaymentSource::fieldName(PaymentSource::Capitale));
        if (!capitale)
            return paymentFailure(payment, capitale.errorText());
        if (!addTo(capital, *capitale))
            return paymentFailure(payment, sumBeyondRange(PaymentSource::fieldName(PaymentSource::Capitale)));
        ++at;
        if (at == m_casePayments.size() || db::textOf(m_casePayments[at][PaymentSource::Modo]) != QLatin1String("CA"))
            break;
        if (frequency == 0) {
            // Only the gap between the first two bills tells the plan: monthly, every two months, or longer.
            const Payment& second = m_casePayments[at];
            const Result<QDate> secondDate = requiredDate(
                second, PaymentSource::Data,
                QStringLiteral("il campo data della seconda cambiale è vuoto (Null) e serve per la frequenza delle "
                               "rate"));
            if (!secondDate)
                return secondDate.status();
            const qint64 days = firstDate->daysTo(*secondDate);
            frequency = days < 55 ? 1 : (days >= 56 && days <= 70 ? 2 : 3);
        }
    }

    begin(4, "<Cambializzazione");
    attribute("ImportoCambializzazione", ImportoNorvanta(total));
    attribute("DataCambializzazione", FormattaData(discharged->value_or(*firstDate)));
    end(">");
    if (Status written = writeRicevutaAlCliente(bill, capital); !written)
        return written;

    begin(5, "<GruppoCambiali");
    attribute("TipoScadenza", QStringLiteral("A"));
    // The creditor's format has two blanks before the number of bills.
    literal(" ");
    attribute("NumeroCambiali", QString::number(count));
    attribute("DataIniziale", FormattaData(*firstDate));
    attribute("ImportoRata", ImportoNorvanta(instalment));
    attribute("Frequenza", QString::number(frequency));
    end(">");

    if (Status read = m_payments.bankRowOf(bill[PaymentSource::Id], m_bank); !read)
        return paymentFailure(bill, read.errorText());
    QString signer;
    if (m_bank) {
        const PaymentSource::BankRow& bank = *m_bank;
        QString cheque = db::textOf(bank[PaymentSource::Ass]);
        if (cheque.isEmpty())
            cheque = QStringLiteral("00001");
        begin(6, "<BancaCambializzazione ");
        attribute("Assegno", cheque);
        attribute("Cab", db::textOf(bank[PaymentSource::Cab]));
        attribute("Conto", db::textOf(bank[PaymentSource::Cc]));
        attribute("Abi", db::textOf(bank[PaymentSource::Abi]));
        end(" />");
        signer = db::textOf(bank[PaymentSource::Firmatario]);
    }
    if (signer.isEmpty()) {
        const Result<QString> company = ragioneSociale("firmatario delle cambiali");
        if (!company)
            return company.status();
        signer = *company;
    }
    const Result<QString> citta = caseText(Citta);
    const Result<QString> provincia = caseText(Provincia);
    const Result<QString> cap = caseText(Cap);
    const Result<QString> indirizzo = caseText(Indirizzo);
    for (const Result<QString>* read : {&citta, &provincia, &cap, &indirizzo}) {
        if (!*read)
            return read->status();
    }
    begin(6, "<Firmatario ");
    attribute("Comune", trimBlanks(*citta));
    attribute("Provincia", trimBlanks(*provincia));
    attribute("Cap", *cap);
    attribute("NomeCognome", trimBlanks(signer));
    attribute("Indirizzo", trimBlanks(*indirizzo));
    end(" />");
    begin(5, "</GruppoCambiali>");
    end("");
    begin(4, "</Cambializzazione>");
    end("");
    if (Status written = writeStatus(); !written)
        return written;
    return at;
}

// ----------------------------------------------------------------------------------------------------------------
// Actions

Status FlowWriter::writeActions(qint32 contatore)
{
    const Result<QString> code = caseText(CodiceScaricoMemo);
    if (!code)
        return code.status();
    QString actionCode = code->toUpper();
    const bool sheetRequired = NecessarioDS(actionCode);
    // The sheet is read once, here; one that is there but cannot be read stops the case where its element goes.
    Result<std::optional<DiagnosisSheet>> sheet = std::optional<DiagnosisSheet>();
    if (sheetRequired) {
        sheet = m_sheets.sheetOf(contatore);
        if (sheet && !*sheet) {
            m_missingSheet = true;
            return Status::failure(QStringLiteral("Manca DiagnosisSheet alla pratica ") + m_ragioneSociale +
                                   QLatin1Char(' ') + m_posizione);
        }
    }
    const Result<QString> memo = caseText(Memo);
    if (!memo)
        return memo.status();
    const QString report = PerXML(*memo);

    // The Access database of the suite has no datascaricomemo: there the action is dated the day of the export.
    QString actionDate = FormattaData(m_today);
    if (!m_modoAccess) {
        const Result<QVariant> memoDate = caseValue(DataScaricoMemo);
        if (!memoDate)
            return memoDate.status();
        if (const std::optional<QDate> date = dateOf(*memoDate))
            actionDate = FormattaData(*date);
    }

    const bool paid = !m_casePayments.empty();
    if (paid && actionCode.isEmpty())
        actionCode = QStringLiteral("0");
    begin(3, "<Azioni>");
    end("");
    begin(4, "<Azione");
    attribute("TipoAzione", actionCode);
    attribute("DataAzione", actionDate);
    attribute("Memo", paid ? QStringLiteral("POSITIVA") : QStringLiteral("Negativa"));
    end(">");
    begin(5, "<FineAffidamento");
    attribute("Restituzione", QStringLiteral("true"));
    attribute("TestoRapporto", report);
    end(">");
    if (sheetRequired) {
        if (!sheet)
            return caseFailure(QStringLiteral("la Diagnosis Sheet non si legge: ") + sheet.errorText());
        if (Status written = writeDiagnosisSheet(**sheet); !written)
            return written;
    }
    writeContatti();
    begin(5, "</FineAffidamento>");
    end("");
    begin(4, "</Azione>");
    end("");
    begin(3, "</Azioni>");
    end("");
    return writeStatus();
}

Status FlowWriter::writeDiagnosisSheet(const DiagnosisSheet& sheet)
{
    using namespace SheetFields;
    // Coded fields hold the whole item ("C=No lavoro"); the creditor takes the code letter only.
    const auto code = [&sheet](const QString& field) {
        return sheet.value(field).left(1);
    };
    // Incomes other than salary are sent as 0 when the sheet has none; the salaries go as they are.
    const auto orZero = [&sheet](const QString& field) {
        const QString value = sheet.value(field);
        return value.isEmpty() ? QStringLiteral("0") : value;
    };
    const bool able = sheet.value(CapacitaPagamentoFutureScadenze) != QLatin1String("N");

    begin(6, "<DiagnosisSheet ");
    attribute("MotivoImpagato", code(MotivoImpagato));
    attribute("SituazioneFamiliare", code(SituazioneFamiliare));
    attribute("Abitazione", code(Abitazione));
    attribute("TipologiaContratto", code(TipologiaContratto));
    attribute("CapacitaPagamentoFutureScadenze", able ? QStringLiteral("true") : QStringLiteral("false"));
    if (!able) {
        if (const std::optional<QDate> date = recogniseDate(sheet.value(DataMiglioramento), m_today))
            attribute("DataMiglioramento", FormattaData(*date));
    }
    attribute("ClienteRedditoSalario", sheet.value(ClienteRedditoSalario));
    attribute("ClienteRedditoBenefits", orZero(ClienteRedditoBenefits));
    attribute("ClienteRedditoAltro", orZero(ClienteRedditoAltro));
    attribute("GaranteRedditoSalario", sheet.value(GaranteRedditoSalario));
    attribute("GaranteRedditoBenefits", orZero(GaranteRedditoBenefits));
    attribute("GaranteRedditoAltro", orZero(GaranteRedditoAltro));
    end("/>");
    return writeStatus();
}

void FlowWriter::writeContatti()
{
    // The agency keeps no count of its contacts: the counters are drawn. The generator is seeded from the clock
    // before each case, from the day and the time of day (taken apart, which spares a time-zone conversion per
    // case); the case's place in the flow goes into the seed too, so that cases written within the same
    // millisecond do not all get the same counters.
    const QDateTime now = m_clock.now();
    const quint64 moment = quint64(now.date().toJulianDay()) * 86400000u + quint64(now.time().msecsSinceStartOfDay());
    m_random.seed(moment * 1048576u + quint64(m_casesWritten));
    int draws[5];
    for (int& draw : draws)
        draw = contactCount(m_random.next());
    begin(6, "<Contatti ");
    attribute("NrContattiAltro", QString::number(draws[0]));
    attribute("NrContattiDomicilio", QString::number(draws[1] == 0 ? 1 : draws[1]));
    attribute("NrContattiLavoro", QString::number(draws[2]));
    attribute("NrContattiLettera", QStringLiteral("0"));
    // The fourth draw is made and not used, so that the fifth stays the fifth of the sequence.
    attribute("NrContattiTelefono", QString::number(draws[4]));
    attribute("NrContattiPositivi", QStringLiteral("0"));
    end("/>");
}
