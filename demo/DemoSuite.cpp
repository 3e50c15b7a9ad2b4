#include "demo/DemoSuite.h"

#include "demo/DemoSchema.h"
#include "foundation/db/SuiteTables.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTime>

#include <array>
#include <atomic>
#include <initializer_list>
#include <iterator>
#include <random>
#include <vector>

namespace demo {

namespace {

const int firstCaseNumber = 1001;
const QString crlf = QStringLiteral("\r\n");

// ---------------------------------------------------------------------------------------------------------
// Randomness. The standard distributions differ between standard libraries, so ranges are mapped here: the
// same seed must give the same suite on every machine.

class Dice {
public:
    explicit Dice(quint32 seed) : m_engine(seed) {}

    quint32 below(quint32 n) { return quint32((quint64(m_engine()) * n) >> 32); }
    int between(int low, int high) { return low + int(below(quint32(high - low + 1))); }
    bool percent(int p) { return below(100) < quint32(p); }
    bool perMille(int p) { return below(1000) < quint32(p); }
    const QString& pick(const QStringList& items) { return items[below(quint32(items.size()))]; }
    QString digits(int count)
    {
        QString text(count, QLatin1Char('0'));
        for (int i = 0; i < count; ++i)
            text[i] = QLatin1Char(char('0' + below(10)));
        return text;
    }

private:
    std::mt19937 m_engine;
};

// ---------------------------------------------------------------------------------------------------------
// The material the debtors are made of.

QStringList listOf(std::initializer_list<const char*> items)
{
    QStringList list;
    list.reserve(qsizetype(items.size()));
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

struct City {
    QString name;
    QString province;
    QString cap;
    QString phonePrefix;
    QString cadastralCode; // the tax code's place of birth
};

QList<City> citiesOf(std::initializer_list<std::array<const char*, 5>> rows)
{
    QList<City> cities;
    for (const auto& row : rows) {
        cities.append({QString::fromUtf8(row[0]), QString::fromUtf8(row[1]), QString::fromUtf8(row[2]),
                       QString::fromUtf8(row[3]), QString::fromUtf8(row[4])});
    }
    return cities;
}

struct Pools {
    QStringList surnames = listOf({
        "ROSSI",      "RUSSO",      "FERRARI",   "ESPOSITO",   "BIANCHI",      "ROMANO",    "COLOMBO", "RICCI",
        "MARINO",     "GRECO",      "BRUNO",     "GALLO",      "CONTI",        "DE LUCA",   "MANCINI", "COSTA",
        "GIORDANO",   "RIZZO",      "LOMBARDI",  "MORETTI",    "BARBIERI",     "FONTANA",   "SANTORO", "MARIANI",
        "RINALDI",    "CARUSO",     "FERRARA",   "GALLI",      "MARTINI",      "LEONE",     "LONGO",   "GENTILE",
        "MARTINELLI", "VITALE",     "SERRA",     "COPPOLA",    "DE SANTIS",    "MARCHETTI", "PARISI",  "VILLA",
        "CONTE",      "FERRO",      "FABBRI",    "MARINI",     "GRASSO",       "VALENTINI", "MESSINA", "SALA",
        "GATTI",      "PELLEGRINI", "PALUMBO",   "SANNA",      "FARINA",       "MONTI",     "MORELLI", "AMATO",
        "D'AMICO",    "D'ANGELO",   "DELL'ORTO", "DELL'ACQUA", "D'ALESSANDRO", "LUCÀ",      "ZAPPALÀ", "CANTÙ",
    });
    QStringList maleNames = listOf({
        "MARIO",   "LUCA",    "GIUSEPPE", "GIOVANNI", "ANTONIO", "FRANCESCO", "ALESSANDRO", "ANDREA",   "MARCO",
        "MATTEO",  "LORENZO", "DAVIDE",   "STEFANO",  "PAOLO",   "ROBERTO",   "SALVATORE",  "VINCENZO", "FABIO",
        "MASSIMO", "NICOLÒ",  "GIANLUCA", "CARLO",    "PIETRO",  "SIMONE",    "DOMENICO",
    });
    QStringList femaleNames = listOf({
        "MARIA",   "ANNA",  "GIULIA",  "FRANCESCA", "SARA",      "LAURA",      "CHIARA",
        "PAOLA",   "ELENA", "ROBERTA", "SILVIA",    "VALENTINA", "ALESSANDRA", "FEDERICA",
        "MARTINA", "ROSA",  "ANGELA",  "GIOVANNA",  "BARBARA",   "LUCIA",
    });
    QStringList companies = listOf({
        "EDILTERMO S.R.L.",
        "AUTOTRASPORTI BRUNO S.N.C.",
        "IMPRESA COSTRUZIONI GALLO S.P.A.",
        "BAR SPORT DI RICCI MARCO & C. S.A.S.",
        "PANIFICIO SAN GIORGIO S.R.L.",
        "TECNOIMPIANTI SUD S.R.L.",
        "L'ARTE DEL LEGNO S.N.C.",
        "CASEIFICIO VALLE VERDE S.R.L.",
        "ELETTRODOMESTICI FONTANA S.R.L.",
        "RISTORANTE DA GINO S.A.S.",
        "OFFICINA MECCANICA F.LLI CONTI S.N.C.",
        "CAFFÈ CENTRALE S.N.C.",
        "IDROSERVICE 2000 S.R.L.",
        "LA BOTTEGA DELL'ORAFO S.A.S.",
    });
    QList<City> cities = citiesOf({
        {"Roma", "RM", "00184", "06", "H501"},
        {"Milano", "MI", "20121", "02", "F205"},
        {"Napoli", "NA", "80134", "081", "F839"},
        {"Torino", "TO", "10121", "011", "L219"},
        {"Palermo", "PA", "90133", "091", "G273"},
        {"Genova", "GE", "16121", "010", "D969"},
        {"Bologna", "BO", "40121", "051", "A944"},
        {"Firenze", "FI", "50123", "055", "D612"},
        {"Bari", "BA", "70121", "080", "A662"},
        {"Catania", "CT", "95124", "095", "C351"},
        {"Verona", "VR", "37121", "045", "L781"},
        {"Padova", "PD", "35122", "049", "G224"},
        {"Lecce", "LE", "73100", "0832", "E506"},
        {"Forlì", "FC", "47121", "0543", "D704"},
        {"Sant'Angelo Lodigiano", "LO", "26866", "0371", "I274"},
        {"Reggio Calabria", "RC", "89125", "0965", "H224"},
        {"Cagliari", "CA", "09124", "070", "B354"},
    });
    QStringList streets = listOf({
        "Via Nazionale",
        "Via Roma",
        "Corso Italia",
        "Piazza Garibaldi",
        "Via Giuseppe Verdi",
        "Viale dei Mille",
        "Via XX Settembre",
        "Via Cavour",
        "Via Dante Alighieri",
        "Via dell'Università",
        "Largo San Giovanni",
        "Via della Libertà",
        "Corso Vittorio Emanuele II",
        "Via Mazzini",
        "Vicolo del Pozzo",
        "Via Sant'Antonio",
    });
    QStringList mobilePrefixes =
        listOf({"320", "328", "329", "333", "335", "338", "339", "340", "347", "348", "349", "366", "380", "392"});
    QStringList memoLines = listOf({
        "Il debitore riferisce difficoltà economiche, chiede una dilazione.",
        "Contattato telefonicamente, promette il pagamento entro fine mese.",
        "Irreperibile all'indirizzo indicato, in corso ricerca anagrafica.",
        "Si è trasferito in altra città, nuovo indirizzo da verificare.",
        "Non paga perché ha perso il lavoro.",
        "Proposta di saldo e stralcio accettata dal cliente.",
        "Cliente deceduto, contattati gli eredi.",
        "Pagamento con cambiali concordato in sede.",
        "Lasciato avviso di passaggio.",
        "Richiesto estratto conto dal debitore.",
        "Contesta l'importo: dice di aver già pagato.",
        "Visita domiciliare eseguita, il debitore era assente.",
    });
    // Codes whose action needs a sheet, and codes that need none.
    QStringList sheetCodes = listOf({"EESE", "EENP", "FLXX", "EEPP", "INFO", "EECN"});
    QStringList otherCodes = listOf({"EECH", "EERT", "CHIU", "EEIR", "EESA"});
    QStringList dischargeLetters = listOf({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    QStringList caseStates = listOf({"In corso", "Chiusa", "Sospesa"});
    QStringList banks = listOf({"03069", "02008", "05034", "01030", "05696", "06230", "08327", "03111", "05387"});
    QStringList reasons = listOf({"A=Negligenza", "B=Trasferimento ", "C=No lavoro", "D=malattia", "E=divorzio",
                                  "F=decesso", "G=sovraindebitamento", "H=fallimento", "I=altro"});
    QStringList families = listOf({"A=Single", "B=Sposato ", "C=Divorziato", "D=Vedovo", "E=Convivente"});
    QStringList homes = listOf({"A=Proprietà", "B=Locazione", "C=Uso gratuito", "D=Usufrutto"});
    QStringList contracts = listOf({"A=tempo indeterminato", "B=tempo determinato", "C=contratto a progetto", "D=socio",
                                    "E=libera professione", "F=altro"});
    QStringList sheetNotes = listOf({"Disponibile a un piano di rientro", "Reddito discontinuo", "Vive con i genitori",
                                     "Ha chiesto di essere richiamato la sera", "Attende la liquidazione del TFR"});
    QStringList incomes = listOf({"0", "0", "650", "800", "1000", "1200", "1350", "1500", "1800", "2100"});
};

const Pools& pools()
{
    static const Pools instance;
    return instance;
}

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

// ---------------------------------------------------------------------------------------------------------
// Italian identifiers, with their real check characters so that they look right to anyone who checks them.

QString foldedLetters(const QString& text)
{
    QString letters;
    for (QChar c : text) {
        switch (c.unicode()) {
        case 0xC0:
            c = QLatin1Char('A');
            break;
        case 0xC8:
        case 0xC9:
            c = QLatin1Char('E');
            break;
        case 0xCC:
            c = QLatin1Char('I');
            break;
        case 0xD2:
            c = QLatin1Char('O');
            break;
        case 0xD9:
            c = QLatin1Char('U');
            break;
        default:
            break;
        }
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            letters += c;
    }
    return letters;
}

QString taxCodePart(const QString& word, bool firstName)
{
    QString consonants;
    QString vowels;
    for (QChar c : foldedLetters(word))
        (QStringView(u"AEIOU").contains(c) ? vowels : consonants) += c;
    if (firstName && consonants.size() >= 4)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

QString taxCode(const QString& surname, const QString& name, bool female, QDate birth, const QString& place)
{
    static const char monthLetters[] = "ABCDEHLMPRST";
    // Values of characters in odd positions: digits and letters A-J share theirs.
    static const int oddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                      20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    QString code = taxCodePart(surname, false) + taxCodePart(name, true) +
                   QString::number(birth.year() % 100).rightJustified(2, QLatin1Char('0')) +
                   QLatin1Char(monthLetters[birth.month() - 1]) +
                   QString::number(birth.day() + (female ? 40 : 0)).rightJustified(2, QLatin1Char('0')) + place;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = code[i];
        const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A';
        sum += (i % 2 == 0) ? oddValues[value] : value;
    }
    return code + QLatin1Char(char('A' + sum % 26));
}

QString vatNumber(Dice& dice)
{
    QString number = dice.digits(7) + QString::number(dice.between(1, 100)).rightJustified(3, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int digit = number[i].digitValue();
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return number + QLatin1Char(char('0' + (10 - sum % 10) % 10));
}

// ---------------------------------------------------------------------------------------------------------
// The generator.

QVariant money(qint64 cents)
{
    return QVariant(double(cents) / 100.0);
}

// By hand: QDate::toString with a format goes through the locale machinery, which costs at a million cases.
QString shortDate(QDate date)
{
    QString text(10, QLatin1Char('/'));
    const auto put = [&text](int at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            text[at + i] = QLatin1Char(char('0' + value % 10));
    };
    put(0, date.day(), 2);
    put(3, date.month(), 2);
    put(6, date.year(), 4);
    return text;
}

/// Positions of the fields of one table, looked up by name once so that rows follow the description's order.
class RowLayout {
public:
    RowLayout(const db::TableDescription* table, QStringList& missing) : m_table(table), m_missing(&missing)
    {
        if (!table)
            missing.append(QStringLiteral("a table"));
    }
    int operator()(const char* name) const
    {
        if (!m_table)
            return -1;
        const QString wanted = QString::fromUtf8(name);
        for (qsizetype i = 0; i < m_table->fields.size(); ++i) {
            if (m_table->fields[i].name.compare(wanted, Qt::CaseInsensitive) == 0)
                return int(i);
        }
        m_missing->append(m_table->name + QLatin1Char('.') + wanted);
        return -1;
    }
    const db::TableDescription* table() const { return m_table; }
    int width() const { return m_table ? int(m_table->fields.size()) : 0; }

private:
    const db::TableDescription* m_table;
    QStringList* m_missing;
};

struct Lot {
    QString reference;
    QDate date;
};

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

class Generator {
public:
    Generator(int cases, quint32 seed);
    Status run(DemoRowSink& sink);
    /// The NRV cases made so far that the check passes.
    QList<int> completeCases() const { return m_complete; }

private:
    Status addCase(DemoRowSink& sink, int index);
    Status addPayments(DemoRowSink& sink, int contatore, const Debtor& debtor, QDate affido);
    Status addPayment(DemoRowSink& sink, int contatore, const Debtor& debtor, const QString& kind, QDate date,
                      qint64 cents, const QString& causale, QDate billDischarge);
    Debtor newDebtor();
    Debtor debtorFor(int index);
    QString memoText();
    // Italian numbers have ten digits, the area code included.
    QString phone(const City& city)
    {
        return city.phonePrefix + QLatin1Char(' ') + m_dice.digits(10 - int(city.phonePrefix.size()));
    }
    QString mobilePhone() { return m_dice.pick(m_pools.mobilePrefixes) + QLatin1Char(' ') + m_dice.digits(7); }
    DemoSheet sheetFor(QDate memoDate, bool incomplete);
    QVariant nullableText(int nullPercent, int emptyPercent, const QString& text);

    const Pools& m_pools;
    int m_cases;
    Dice m_dice;
    QStringList m_missing;
    QList<Lot> m_lots;
    std::vector<Debtor> m_recent; // a ring of recent debtors, met again in other lots
    int m_recentNext = 0;
    int m_paymentCount = 0;
    int m_nextPaymentId = 1;
    int m_sheetCount = 0;
    QList<int> m_complete;
    QString m_empty = QStringLiteral("");

    RowLayout m_case, m_payment, m_bank, m_title, m_work;
    QVariantList m_caseRow, m_paymentRow, m_bankRow;
    struct {
        int contatore, ragione, posizione, mandato, lotto, scarico, memoCode, memoDate, memo, affido, state, vat, city,
            province, cap, address, vocativo, name, surname, guarantor, guarantorAddress, homePhone, phone1, phone2;
    } m_c;
    struct {
        int id, conta, modo, data, totale, capitale, causale, ricevuta, dataRicevuta, spese, speseRecupero, dataScarico;
    } m_p;
    struct {
        int payment, abi, cab, account, cheque, data, signer;
    } m_b;
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
      m_payment(db::findSuiteTable(QStringLiteral("Tabella Pagamenti")), m_missing),
      m_bank(db::findSuiteTable(QStringLiteral("Tabella Riscontro")), m_missing),
      m_title(db::findSuiteTable(QStringLiteral("vocativo")), m_missing),
      m_work(db::findSuiteTable(QStringLiteral("Working")), m_missing)
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
    m_p = {m_payment("ID"),           m_payment("conta"),    m_payment("modo"),          m_payment("data"),
           m_payment("totale"),       m_payment("capitale"), m_payment("causale"),       m_payment("ricevuta"),
           m_payment("dataricevuta"), m_payment("spese"),    m_payment("speserecupero"), m_payment("datascarico")};
    m_b = {m_bank("id_incasso"), m_bank("abi"),  m_bank("cab"),       m_bank("cc"),
           m_bank("ass"),        m_bank("data"), m_bank("firmatario")};
    m_t = {m_title("tipo"), m_title("vocativo")};
    m_w = {m_work("operatore"), m_work("SOC"), m_work("data1"), m_work("c1"), m_work("N_1")};
    m_caseRow.resize(m_case.width());
    m_paymentRow.resize(m_payment.width());
    m_bankRow.resize(m_bank.width());

    // A few lots, one consignment date each, a month apart: the journal lists one line per mandate and lot.
    const int lotCount = qBound(2, cases / 25, 12);
    const QDate firstMonth(2010, 9, 1);
    for (int i = 0; i < lotCount; ++i) {
        const QDate month = firstMonth.addMonths(i);
        m_lots.append({QStringLiteral("AFF") + month.toString(QStringLiteral("yyyy-MM")),
                       QDate(month.year(), month.month(), m_dice.between(3, 26))});
    }
}

QVariant Generator::nullableText(int nullPercent, int emptyPercent, const QString& text)
{
    const quint32 roll = m_dice.below(100);
    if (roll < quint32(nullPercent))
        return QVariant();
    if (roll < quint32(nullPercent + emptyPercent))
        return m_empty;
    return text;
}

Status Generator::run(DemoRowSink& sink)
{
    const QStringList titles = listOf({"Sig.", "Sig.ra", "Spett.le", "Dott."});
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
        workRow[m_w.day] = m_lots[i].date;
        workRow[m_w.count] = 7 + i * 5;
        workRow[m_w.amount] = money(123456 + i * 98700);
        if (Status status = sink.addRow(*m_work.table(), workRow); !status)
            return status;
    }
    return Status::success();
}

Debtor Generator::newDebtor()
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
    QString address = m_dice.pick(m_pools.streets) + QStringLiteral(", ") + QString::number(m_dice.between(1, 180));
    if (m_dice.percent(10))
        address += QStringLiteral("/") + QLatin1Char(char('A' + m_dice.below(4)));
    debtor.address = address;
    debtor.homePhone = m_dice.percent(70) ? phone(city) : m_empty;
    debtor.mobile = m_dice.percent(75) ? mobilePhone() : m_empty;
    debtor.otherPhone = m_dice.percent(20) ? mobilePhone() : m_empty;
    debtor.lot = int(m_dice.below(quint32(m_lots.size())));
    return debtor;
}

Debtor Generator::debtorFor(int index)
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

QString Generator::memoText()
{
    QString text = m_dice.pick(m_pools.memoLines);
    if (m_dice.percent(25))
        text += crlf + m_dice.pick(m_pools.memoLines);
    return text;
}

Status Generator::addCase(DemoRowSink& sink, int index)
{
    const int contatore = firstCaseNumber + index;
    Debtor debtor = debtorFor(index);
    const City& city = m_pools.cities[debtor.city];
    const Lot& lot = m_lots[debtor.lot];
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
        row[m_c.scarico] = m_empty;
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
        row[m_c.memoCode] = m_dice.percent(50) ? QVariant() : QVariant(m_empty);
        row[m_c.memoDate] = m_dice.percent(50) ? QVariant() : QVariant(m_empty);
    } else {
        row[m_c.memoCode] = memoCode;
        row[m_c.memoDate] = nullableText(5, 10, shortDate(memoDate));
    }
    row[m_c.memo] = nullableText(5, 5, memoText());
    row[m_c.affido] = lot.date;
    const quint32 state = m_dice.below(100);
    row[m_c.state] = m_pools.caseStates[state < 70 ? 0 : (state < 90 ? 1 : 2)];
    row[m_c.vat] = debtor.vat;
    row[m_c.city] = city.name;
    row[m_c.province] = city.province;
    row[m_c.cap] = city.cap;
    row[m_c.address] = debtor.address;
    row[m_c.vocativo] = debtor.vocativo;
    row[m_c.name] = debtor.name.isEmpty() ? m_empty : debtor.name;
    row[m_c.surname] = debtor.surname.isEmpty() ? m_empty : debtor.surname;
    if (m_dice.percent(22)) {
        const bool female = m_dice.percent(50);
        row[m_c.guarantor] = m_dice.pick(m_pools.surnames) + QLatin1Char(' ') +
                             m_dice.pick(female ? m_pools.femaleNames : m_pools.maleNames);
        row[m_c.guarantorAddress] = m_dice.pick(m_pools.streets) + QStringLiteral(", ") +
                                    QString::number(m_dice.between(1, 90)) + QStringLiteral(" - ") + city.cap +
                                    QLatin1Char(' ') + city.name + QStringLiteral(" (") + city.province +
                                    QLatin1Char(')');
    } else {
        const bool asNull = m_dice.percent(80);
        row[m_c.guarantor] = asNull ? QVariant() : QVariant(m_empty);
        row[m_c.guarantorAddress] = asNull ? QVariant() : QVariant(m_empty);
    }
    row[m_c.homePhone] = debtor.homePhone;
    row[m_c.phone1] = debtor.mobile;
    row[m_c.phone2] = debtor.otherPhone;
    if (Status status = sink.addRow(*m_case.table(), row); !status)
        return status;

    if (Status status = addPayments(sink, contatore, debtor, lot.date); !status)
        return status;

    bool complete = !missingCode;
    if (!missingCode && m_pools.sheetCodes.contains(memoCode.toUpper())) {
        const bool wanted = index < 3 || m_dice.below(3) == 0;
        complete = wanted;
        if (wanted) {
            const bool incomplete = index == 1 || (index >= 3 && m_dice.percent(6));
            complete = !incomplete;
            if (Status status = sink.addSheet(contatore, sheetFor(memoDate, incomplete)); !status)
                return status;
        }
    }
    if (complete && mandate == QLatin1String("NRV"))
        m_complete.append(contatore);
    return Status::success();
}

Status Generator::addPayments(DemoRowSink& sink, int contatore, const Debtor& debtor, QDate affido)
{
    if (m_dice.percent(40))
        return Status::success();
    QDate date = affido.addDays(m_dice.between(5, 60));

    // A series of bills: same amount, monthly or every two months, numbered in the causale.
    if (m_dice.percent(10)) {
        const int bills = m_dice.between(2, 6);
        const int step = m_dice.percent(70) ? 1 : 2;
        const qint64 cents = qint64(m_dice.between(5, 60)) * 1000 + (m_dice.percent(30) ? 50 : 0);
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

Status Generator::addPayment(DemoRowSink& sink, int contatore, const Debtor& debtor, const QString& kind, QDate date,
                             qint64 cents, const QString& causale, QDate billDischarge)
{
    const int id = m_nextPaymentId++;
    ++m_paymentCount;
    QVariantList& row = m_paymentRow;
    row[m_p.id] = id;
    row[m_p.conta] = contatore;
    row[m_p.modo] = kind.isEmpty() ? m_empty : kind;
    row[m_p.data] = date;
    row[m_p.totale] = money(cents);
    row[m_p.capitale] = money(cents * m_dice.between(60, 100) / 100);
    row[m_p.causale] = causale.isEmpty() ? (m_dice.percent(50) ? QVariant() : QVariant(m_empty)) : QVariant(causale);
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
    bank[m_b.cheque] = cheque || m_dice.percent(30) ? m_dice.digits(10) : m_empty;
    bank[m_b.data] = date;
    const QString signer = debtor.company.isEmpty() ? debtor.surname + QLatin1Char(' ') + debtor.name : debtor.company;
    bank[m_b.signer] = nullableText(8, 12, signer);
    return sink.addRow(*m_bank.table(), bank);
}

DemoSheet Generator::sheetFor(QDate memoDate, bool incomplete)
{
    const bool able = m_dice.percent(55);
    const QDate improvement = memoDate.addMonths(m_dice.between(2, 18));
    const QTime saved(m_dice.between(8, 19), m_dice.between(0, 59), m_dice.between(0, 59));
    DemoSheet sheet = {
        {QStringLiteral("MotivoImpagato"), m_dice.pick(m_pools.reasons)},
        {QStringLiteral("SituazioneFamiliare"), m_dice.pick(m_pools.families)},
        {QStringLiteral("NoteSituazioneFamiliare"), m_dice.percent(30) ? m_dice.pick(m_pools.sheetNotes) : m_empty},
        {QStringLiteral("Abitazione"), m_dice.pick(m_pools.homes)},
        {QStringLiteral("TipologiaContratto"), m_dice.pick(m_pools.contracts)},
        {QStringLiteral("NoteTipologiaContratto"), m_dice.percent(20) ? m_dice.pick(m_pools.sheetNotes) : m_empty},
        {QStringLiteral("CapacitaPagamentoFutureScadenze"), able ? QStringLiteral("S") : QStringLiteral("N")},
        {QStringLiteral("DataMiglioramento"), able ? m_empty : shortDate(improvement)},
        {QStringLiteral("ClienteRedditoSalario"), m_dice.pick(m_pools.incomes)},
        {QStringLiteral("ClienteRedditoBenefits"), m_dice.percent(80) ? QStringLiteral("0") : QStringLiteral("300")},
        {QStringLiteral("ClienteRedditoAltro"), m_dice.percent(85) ? QStringLiteral("0") : QStringLiteral("250")},
        {QStringLiteral("GaranteRedditoSalario"),
         m_dice.percent(70) ? QStringLiteral("0") : m_dice.pick(m_pools.incomes)},
        {QStringLiteral("GaranteRedditoBenefits"), QStringLiteral("0")},
        {QStringLiteral("GaranteRedditoAltro"), QStringLiteral("0")},
        {QStringLiteral("Note"), m_dice.percent(50) ? m_dice.pick(m_pools.memoLines) : m_empty},
        {QStringLiteral("DataInserimento"),
         shortDate(memoDate) + QLatin1Char(' ') + saved.toString(QStringLiteral("hh:mm:ss"))},
    };
    if (incomplete) {
        // Each kind of gap the check looks for; the second case always lacks its family situation.
        const int gap = m_sheetCount == 1 ? 1 : int(m_dice.below(5));
        switch (gap) {
        case 0:
            sheet[0].second = m_empty;
            break;
        case 1:
            sheet[1].second = m_empty;
            break;
        case 2:
            sheet[3].second = m_empty;
            break;
        case 3:
            sheet[6].second = QStringLiteral("N");
            sheet[7].second = m_empty;
            break;
        default:
            sheet[8].second = m_empty;
            break;
        }
    }
    ++m_sheetCount;
    return sheet;
}

// ---------------------------------------------------------------------------------------------------------
// Writing the suite.

QString bracketed(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

/// Inserts rows into an open SQLite database through one prepared statement per table.
class SqliteRowWriter {
public:
    explicit SqliteRowWriter(const QSqlDatabase& database) : m_database(database) {}

    Status addRow(const db::TableDescription& table, const QVariantList& values)
    {
        Insert* insert = insertFor(table);
        if (!insert->ok)
            return Status::failure(insert->error);
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QVariant& value = values[i];
            // Dates go in as ISO text, as the suite's conventions for SQLite want them.
            if (value.typeId() == QMetaType::QDate)
                insert->query.bindValue(int(i), value.toDate().toString(Qt::ISODate));
            else
                insert->query.bindValue(int(i), value);
        }
        if (!insert->query.exec())
            return Status::failure(
                QStringLiteral("Cannot insert into [%1]: %2").arg(table.name, insert->query.lastError().text()));
        return Status::success();
    }

private:
    struct Insert {
        const db::TableDescription* table;
        QSqlQuery query;
        bool ok = false;
        QString error;
    };

    Insert* insertFor(const db::TableDescription& table)
    {
        for (Insert& insert : m_inserts) {
            if (insert.table == &table)
                return &insert;
        }
        QStringList names;
        QStringList marks;
        for (const db::FieldDescription& field : table.fields) {
            names.append(bracketed(field.name));
            marks.append(QStringLiteral("?"));
        }
        Insert insert{&table, QSqlQuery(m_database), false, QString()};
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(bracketed(table.name), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        insert.query.setForwardOnly(true);
        insert.ok = insert.query.prepare(sql);
        if (!insert.ok)
            insert.error = QStringLiteral("Cannot prepare %1: %2").arg(sql, insert.query.lastError().text());
        m_inserts.push_back(std::move(insert));
        return &m_inserts.back();
    }

    QSqlDatabase m_database;
    std::vector<Insert> m_inserts;
};

/// Writes sheet files into the sheet folder and, at the end, removes the sheets of an earlier demo that this one
/// did not write again: they would belong to other cases. Files are overwritten in place rather than deleted
/// first, because creating many files right after deleting many is slow on ext4.
class SheetWriter {
public:
    SheetWriter(QString folder, QStringEncoder& encoder) : m_folder(std::move(folder)), m_encoder(encoder)
    {
        // Unsorted is directory order, in which removing is fastest.
        const QStringList files = QDir(m_folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Unsorted);
        for (const QString& name : files) {
            bool number = false;
            name.chopped(4).toInt(&number);
            if (number)
                m_old.append(name);
        }
    }

    Status addSheet(int contatore, const DemoSheet& sheet)
    {
        QString text;
        for (const auto& [name, value] : sheet)
            text += name + QStringLiteral("==") + value + crlf;
        const QByteArray bytes = m_encoder.encode(text);
        const QString name = QString::number(contatore) + QStringLiteral(".txt");
        QFile file(m_folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return Status::failure(QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()));
        file.close();
        if (!m_old.isEmpty())
            m_written.insert(name);
        return Status::success();
    }

    Status removeLeftovers()
    {
        QDir dir(m_folder);
        for (const QString& name : std::as_const(m_old)) {
            if (!m_written.contains(name) && !dir.remove(name))
                return Status::failure(QStringLiteral("Cannot remove the old sheet ") + dir.filePath(name));
        }
        m_old.clear();
        m_written.clear();
        return Status::success();
    }

private:
    QString m_folder;
    QStringEncoder& m_encoder;
    QStringList m_old;
    QSet<QString> m_written;
};

class SuiteSink : public DemoRowSink {
public:
    SuiteSink(SqliteRowWriter& rows, SheetWriter& sheets, DemoSummary& summary)
        : m_rows(rows), m_sheets(sheets), m_summary(summary)
    {
    }

    Status addRow(const db::TableDescription& table, const QVariantList& values) override
    {
        if (table.name == QLatin1String("Tabella Pratiche"))
            ++m_summary.cases;
        else if (table.name == QLatin1String("Tabella Pagamenti"))
            ++m_summary.payments;
        else if (table.name == QLatin1String("Tabella Riscontro"))
            ++m_summary.bankRows;
        return m_rows.addRow(table, values);
    }
    Status addSheet(int contatore, const DemoSheet& sheet) override
    {
        ++m_summary.sheets;
        return m_sheets.addSheet(contatore, sheet);
    }

private:
    SqliteRowWriter& m_rows;
    SheetWriter& m_sheets;
    DemoSummary& m_summary;
};

Status exec(QSqlDatabase& database, const QString& sql)
{
    QSqlQuery query(database);
    if (!query.exec(sql))
        return Status::failure(QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
    return Status::success();
}

Status fillDatabase(QSqlDatabase& database, const DemoRowSource& source, SheetWriter& sheets, DemoSummary& summary)
{
    // Nothing of a half-built demo is worth keeping, so the journal and the syncs only cost time.
    for (const char* pragma : {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA cache_size=-65536"}) {
        if (Status status = exec(database, QString::fromLatin1(pragma)); !status)
            return status;
    }
    QStringList indexes;
    for (const QString& statement : sqliteSchemaStatements()) {
        if (statement.startsWith(QLatin1String("CREATE INDEX"), Qt::CaseInsensitive)) {
            indexes.append(statement);
        } else if (Status status = exec(database, statement); !status) {
            return status;
        }
    }
    if (!database.transaction())
        return Status::failure(QStringLiteral("Cannot begin: ") + database.lastError().text());
    Status filled = Status::success();
    {
        SqliteRowWriter rows(database);
        SuiteSink sink(rows, sheets, summary);
        filled = source.produce(sink, &summary.completeCases);
    }
    if (!filled) {
        database.rollback();
        return filled;
    }
    if (!database.commit())
        return Status::failure(QStringLiteral("Cannot commit: ") + database.lastError().text());
    // Indexes built once over the whole data cost far less than kept up row by row.
    for (const QString& statement : indexes) {
        if (Status status = exec(database, statement); !status)
            return status;
    }
    return Status::success();
}

Status buildDatabase(const QString& path, const DemoRowSource& source, SheetWriter& sheets, DemoSummary& summary)
{
    static std::atomic<int> serial{0};
    const QString connection = QStringLiteral("demo-suite-%1").arg(++serial);
    Status status = Status::success();
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        if (!database.open())
            status = Status::failure(QStringLiteral("Cannot create %1: %2").arg(path, database.lastError().text()));
        else
            status = fillDatabase(database, source, sheets, summary);
        database.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return status;
}

Status writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return Status::success();
}

QString linesOf(std::initializer_list<QString> lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + crlf;
    return text;
}

/// A filter of the NRV cases that pass the check, so that a demo can go through to "Esporta"; the cases that stop the
/// check stay in the suite's own status file.
QString completeCasesFilter(const QList<int>& cases)
{
    QStringList numbers;
    for (qsizetype i = 0; i < cases.size() && i < maxListedCompleteCases; ++i)
        numbers.append(QString::number(cases[i]));
    return QStringLiteral("where [tipo mandato]='NRV' and contatore in (%1)").arg(numbers.join(QLatin1Char(',')));
}

Status makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return Status::failure(QStringLiteral("Cannot create the folder ") + path);
    return Status::success();
}

} // namespace

QString demoConnectionString()
{
    return QStringLiteral("Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite");
}

QString demoLotsQuery()
{
    // Amounts come from a per-case sum of the payments joined to the cases (a plain join and group, which every
    // engine the suite runs on accepts): the lot's total handled and, of it, the capital.
    return QStringLiteral(
        "Select [tipo mandato] as mandato, altroriferimento as lotto, [data affido] as data_affido, "
        "count(*) as pratiche, sum(coalesce(pg.tot,0)) as totaff, sum(coalesce(pg.cap,0)) as incassato, "
        "case when sum(coalesce(pg.tot,0)) > 0 then round(100.0 * sum(coalesce(pg.cap,0)) / sum(coalesce(pg.tot,0)), "
        "2) "
        "else 0 end as perc "
        "From [Tabella Pratiche] left join (select conta, sum(totale) as tot, sum(capitale) as cap "
        "from [Tabella Pagamenti] group by conta) pg on pg.conta = [Tabella Pratiche].contatore "
        "group by [tipo mandato], altroriferimento, [data affido] order by [data affido], [tipo mandato]");
}

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

Status createDemoSuite(const DemoOptions& options, DemoSummary* summary, const QString& connectionString)
{
    if (options.cases < minDemoCases || options.cases > maxDemoCases)
        return Status::failure(QStringLiteral("A demo suite holds from %1 to %2 cases, not %3")
                                   .arg(minDemoCases)
                                   .arg(maxDemoCases)
                                   .arg(options.cases));
    if (options.drivesRoot.isEmpty())
        return Status::failure(QStringLiteral("No folder given for the demo suite's drives"));

    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return Status::failure(QStringLiteral("This Qt cannot write Windows-1252 text"));

    const QDir root(options.drivesRoot);
    const QString data = root.absoluteFilePath(QStringLiteral("Z/work/kv32/dati"));
    const QString sheets = data + QStringLiteral("/ds");
    const QString statusFolder = root.absoluteFilePath(QStringLiteral("C/work/kv32ado"));
    for (const QString& folder : {sheets, statusFolder}) {
        if (Status status = makeFolder(folder); !status)
            return status;
    }
    DemoSummary made;
    const QString database = data + QStringLiteral("/kv.sqlite");
    // Built aside and put in place at the end, so that a failure leaves an earlier demo database whole.
    const QString building = database + QStringLiteral(".new");
    QFile::remove(building);
    SheetWriter sheetWriter(sheets, encoder);
    if (Status status = buildDatabase(building, DemoRowSource(options.cases, options.seed), sheetWriter, made);
        !status) {
        QFile::remove(building);
        return status;
    }
    if (Status status = sheetWriter.removeLeftovers(); !status)
        return status;
    if ((QFileInfo::exists(database) && !QFile::remove(database)) || !QFile::rename(building, database))
        return Status::failure(QStringLiteral("Cannot put the new database in place at ") + database);
    made.files.append(database);

    // A new suite has sent no flow yet: its first export proposes number 1.
    QFile::remove(data + QStringLiteral("/IDNrvXML.ini"));
    const auto statusText = [](const QString& filter) {
        return linesOf({QStringLiteral("contatore=") + QString::number(DemoRowSource::firstContatore()),
                        QStringLiteral("filtro=") + filter, QStringLiteral("testo=demo")});
    };
    const QList<std::pair<QString, QString>> files = {
        {data + QStringLiteral("/kv32.ini"),
         linesOf(
             {QStringLiteral("[datiserver]"),
              QStringLiteral("connstring=") + (connectionString.isEmpty() ? demoConnectionString() : connectionString),
              QStringLiteral("LastProgGiornalexLotto=124"),
              QStringLiteral("LastMsgGiornalexLotto=Giornale di prova")})},
        {statusFolder + QStringLiteral("/status.txt"), statusText(QStringLiteral("where [tipo mandato]='NRV'"))},
        {statusFolder + QStringLiteral("/status-completi.txt"), statusText(completeCasesFilter(made.completeCases))},
        {statusFolder + QStringLiteral("/lotti.sql"), linesOf({demoLotsQuery()})},
    };
    for (const auto& [path, text] : files) {
        if (Status status = writeFile(path, encoder.encode(text)); !status)
            return status;
        made.files.append(path);
    }
    made.files.append(sheets + QLatin1Char('/'));
    if (summary)
        *summary = made;
    return Status::success();
}

} // namespace demo
