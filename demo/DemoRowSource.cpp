#include "demo/DemoSuite.h"

#include "demo/Debtors.h"
#include "demo/DemoMaterial.h"
#include "demo/DemoSheets.h"
#include "demo/DemoValues.h"
#include "demo/Dice.h"
#include "demo/PaymentRows.h"
#include "demo/RowLayout.h"

namespace demo {

namespace {

const int firstCaseNumber = 1001;

/// The demo's cases, one after the other, each with its debtor, payments and sheet, between the forms of address
/// and another operator's journal rows.
class Generator {
public:
    Generator(int cases, quint32 seed);
    Status run(DemoRowSink& sink);
    /// The NRV cases made so far that the check passes.
    QList<int> completeCases() const { return m_complete; }

private:
    Status addCase(DemoRowSink& sink, int index);
    QString memoText();

    const Pools& m_pools;
    int m_cases;
    Dice m_dice;
    QStringList m_missing;
    RowLayout m_case, m_title, m_work;
    Debtors m_debtors;
    PaymentRows m_payments;
    DemoSheets m_sheets;
    QList<int> m_complete;
    QVariantList m_caseRow;
    struct {
        int contatore, ragione, posizione, mandato, lotto, scarico, memoCode, memoDate, memo, affido, state, vat, city,
            province, cap, address, vocativo, name, surname, guarantor, guarantorAddress, homePhone, phone1, phone2;
    } m_c;
    struct {
        int type, text;
    } m_t;
    struct {
        int op, soc, day, count, amount;
    } m_w;
};

Generator::Generator(int cases, quint32 seed)
    : m_pools(pools()), m_cases(cases), m_dice(seed),
      m_case(db::findSuiteTable(QStringLiteral("Tabella Pratiche")), m_missing),
      m_title(db::findSuiteTable(QStringLiteral("vocativo")), m_missing),
      m_work(db::findSuiteTable(QStringLiteral("Working")), m_missing), m_debtors(m_dice, m_pools, cases),
      m_payments(m_dice, m_pools, m_missing), m_sheets(m_dice, m_pools)
{
    m_c = {m_case("contatore"),
           m_case("ragione sociale"),
           m_case("posizione"),
           m_case("tipo mandato"),
           m_case("altroriferimento"),
           m_case("codice scarico"),
           m_case("codicescaricomemo"),
           m_case("datascaricomemo"),
           m_case("memo"),
           m_case("data affido"),
           m_case("situazione affido"),
           m_case("P_iva"),
           m_case("citta"),
           m_case("provincia"),
           m_case("cap"),
           m_case("indirizzo"),
           m_case("vocativo"),
           m_case("nome"),
           m_case("cognome"),
           m_case("garante"),
           m_case("Ind_Garante"),
           m_case("tel recapito"),
           m_case("telefono1"),
           m_case("telefono2")};
    m_t = {m_title("tipo"), m_title("vocativo")};
    m_w = {m_work("operatore"), m_work("SOC"), m_work("data1"), m_work("c1"), m_work("N_1")};
    m_caseRow.resize(m_case.width());
}

Status Generator::run(DemoRowSink& sink)
{
    const QStringList& titles = m_pools.titles;
    if (!m_missing.isEmpty())
        return Status::failure(QStringLiteral("The table description lacks ") + m_missing.join(QStringLiteral(", ")));

    QVariantList titleRow(m_title.width());
    for (int i = 0; i < titles.size(); ++i) {
        titleRow[m_t.type] = i + 1;
        titleRow[m_t.text] = titles[i];
        if (Status status = sink.addRow(*m_title.table(), titleRow); !status)
            return status;
    }

    for (int i = 0; i < m_cases; ++i) {
        if (Status status = addCase(sink, i); !status)
            return status;
    }

    // Rows of another operator, which the journal must leave alone when it refills its own.
    QVariantList workRow(m_work.width());
    for (int i = 0; i < 2; ++i) {
        workRow[m_w.op] = QStringLiteral("B_Y");
        workRow[m_w.soc] = i == 0 ? QStringLiteral("NRV") : QStringLiteral("ALT");
        workRow[m_w.day] = m_debtors.lots()[i].date;
        workRow[m_w.count] = 7 + i * 5;
        workRow[m_w.amount] = money(123456 + i * 98700);
        if (Status status = sink.addRow(*m_work.table(), workRow); !status)
            return status;
    }
    return Status::success();
}

QString Generator::memoText()
{
    QString text = m_dice.pick(m_pools.memoLines);
    if (m_dice.percent(25))
        text += QStringLiteral("\r\n") + m_dice.pick(m_pools.memoLines);
    return text;
}

Status Generator::addCase(DemoRowSink& sink, int index)
{
    const int contatore = firstCaseNumber + index;
    Debtor debtor = m_debtors.debtorFor(index);
    const City& city = m_pools.cities[debtor.city];
    const Lot& lot = m_debtors.lots()[debtor.lot];
    QVariantList& row = m_caseRow;

    QString mandate = QStringLiteral("NRV");
    // The first case is the one the status file opens: it stays in the main window's default filter.
    if (index > 0) {
        const quint32 roll = m_dice.below(100);
        if (roll >= 94)
            mandate = QStringLiteral("BCC");
        else if (roll >= 90)
            mandate = QStringLiteral("ALT");
    }

    row[m_c.contatore] = contatore;
    row[m_c.ragione] = debtor.company.isEmpty() ? debtor.surname + QLatin1Char(' ') + debtor.name : debtor.company;
    row[m_c.posizione] = mandate + QString::number(20000000 + index * 37 + int(m_dice.below(37)));
    row[m_c.mandato] = mandate;
    row[m_c.lotto] = lot.reference;

    const quint32 scarico = m_dice.below(100);
    if (scarico < 8)
        row[m_c.scarico] = emptyText;
    else if (scarico < 11)
        row[m_c.scarico] = QStringLiteral("J");
    else if (scarico < 14)
        row[m_c.scarico] = m_dice.pick(m_pools.dischargeLetters).toLower();
    else
        row[m_c.scarico] = m_dice.pick(m_pools.dischargeLetters);

    // Memo codes: about half need a sheet; the first cases are fixed so that even a small suite shows a case
    // with a sheet, one with an incomplete sheet and the lower-case code that still needs one.
    QString memoCode;
    bool missingCode = false;
    if (index == 0)
        memoCode = QStringLiteral("EESE");
    else if (index == 1)
        memoCode = QStringLiteral("EENP");
    else if (index == 2)
        memoCode = QStringLiteral("info");
    else if (index == 3)
        missingCode = true;
    else {
        const quint32 roll = m_dice.below(100);
        if (roll < 3)
            missingCode = true;
        else if (roll < 53)
            memoCode = m_dice.pick(m_pools.sheetCodes);
        else
            memoCode = m_dice.pick(m_pools.otherCodes);
    }
    const QDate memoDate = lot.date.addDays(m_dice.between(10, 200));
    if (missingCode) {
        row[m_c.memoCode] = m_dice.percent(50) ? QVariant() : QVariant(emptyText);
        row[m_c.memoDate] = m_dice.percent(50) ? QVariant() : QVariant(emptyText);
    } else {
        row[m_c.memoCode] = memoCode;
        row[m_c.memoDate] = m_dice.nullableText(5, 10, shortDate(memoDate));
    }
    row[m_c.memo] = m_dice.nullableText(5, 5, memoText());
    row[m_c.affido] = lot.date;
    const quint32 state = m_dice.below(100);
    row[m_c.state] = m_pools.caseStates[state < 70 ? 0 : (state < 90 ? 1 : 2)];
    row[m_c.vat] = debtor.vat;
    row[m_c.city] = city.name;
    row[m_c.province] = city.province;
    row[m_c.cap] = city.cap;
    row[m_c.address] = debtor.address;
    row[m_c.vocativo] = debtor.vocativo;
    row[m_c.name] = debtor.name.isEmpty() ? emptyText : debtor.name;
    row[m_c.surname] = debtor.surname.isEmpty() ? emptyText : debtor.surname;
    if (m_dice.percent(22)) {
        const bool female = m_dice.percent(50);
        const QString name = m_dice.pick(female ? m_pools.femaleNames : m_pools.maleNames);
        row[m_c.guarantor] = m_dice.pick(m_pools.surnames) + QLatin1Char(' ') + name;
        const int number = m_dice.between(1, 90);
        row[m_c.guarantorAddress] = m_dice.pick(m_pools.streets) + QStringLiteral(", ") + QString::number(number) +
                                    QStringLiteral(" - ") + city.cap + QLatin1Char(' ') + city.name +
                                    QStringLiteral(" (") + city.province + QLatin1Char(')');
    } else {
        const bool asNull = m_dice.percent(80);
        row[m_c.guarantor] = asNull ? QVariant() : QVariant(emptyText);
        row[m_c.guarantorAddress] = asNull ? QVariant() : QVariant(emptyText);
    }
    row[m_c.homePhone] = debtor.homePhone;
    row[m_c.phone1] = debtor.mobile;
    row[m_c.phone2] = debtor.otherPhone;
    if (Status status = sink.addRow(*m_case.table(), row); !status)
        return status;

    if (Status status = m_payments.addPayments(sink, contatore, debtor, lot.date); !status)
        return status;

    bool complete = !missingCode;
    if (!missingCode && m_pools.sheetCodes.contains(memoCode.toUpper())) {
        const bool wanted = index < 3 || m_dice.below(3) == 0;
        complete = wanted;
        if (wanted) {
            const bool incomplete = index == 1 || (index >= 3 && m_dice.percent(6));
            complete = !incomplete;
            if (Status status = sink.addSheet(contatore, m_sheets.sheetFor(memoDate, incomplete)); !status)
                return status;
        }
    }
    if (complete && mandate == QLatin1String("NRV"))
        m_complete.append(contatore);
    return Status::success();
}

} // namespace

DemoRowSource::DemoRowSource(int cases, quint32 seed) : m_cases(cases), m_seed(seed) {}

int DemoRowSource::firstContatore()
{
    return firstCaseNumber;
}

Status DemoRowSource::produce(DemoRowSink& sink, QList<int>* completeCases) const
{
    Generator generator(m_cases, m_seed);
    const Status status = generator.run(sink);
    if (completeCases)
        *completeCases = generator.completeCases();
    return status;
}

} // namespace demo
