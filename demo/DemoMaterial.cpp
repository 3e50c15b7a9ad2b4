#include "demo/DemoMaterial.h"

#include "ds/SheetFields.h"

#include <array>
#include <initializer_list>

namespace demo {

namespace {

QStringList listOf(std::initializer_list<const char*> items)
{
    QStringList list;
    list.reserve(qsizetype(items.size()));
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

QList<City> citiesOf(std::initializer_list<std::array<const char*, 5>> rows)
{
    QList<City> cities;
    for (const auto& row : rows) {
        cities.append({QString::fromUtf8(row[0]), QString::fromUtf8(row[1]), QString::fromUtf8(row[2]),
                       QString::fromUtf8(row[3]), QString::fromUtf8(row[4])});
    }
    return cities;
}

Pools makePools()
{
    Pools made;
    made.surnames = listOf({
        "ROSSI",      "RUSSO",      "FERRARI",   "ESPOSITO",   "BIANCHI",      "ROMANO",    "COLOMBO", "RICCI",
        "MARINO",     "GRECO",      "BRUNO",     "GALLO",      "CONTI",        "DE LUCA",   "MANCINI", "COSTA",
        "GIORDANO",   "RIZZO",      "LOMBARDI",  "MORETTI",    "BARBIERI",     "FONTANA",   "SANTORO", "MARIANI",
        "RINALDI",    "CARUSO",     "FERRARA",   "GALLI",      "MARTINI",      "LEONE",     "LONGO",   "GENTILE",
        "MARTINELLI", "VITALE",     "SERRA",     "COPPOLA",    "DE SANTIS",    "MARCHETTI", "PARISI",  "VILLA",
        "CONTE",      "FERRO",      "FABBRI",    "MARINI",     "GRASSO",       "VALENTINI", "MESSINA", "SALA",
        "GATTI",      "PELLEGRINI", "PALUMBO",   "SANNA",      "FARINA",       "MONTI",     "MORELLI", "AMATO",
        "D'AMICO",    "D'ANGELO",   "DELL'ORTO", "DELL'ACQUA", "D'ALESSANDRO", "LUCÀ",      "ZAPPALÀ", "CANTÙ",
    });
    made.maleNames = listOf({
        "MARIO",   "LUCA",    "GIUSEPPE", "GIOVANNI", "ANTONIO", "FRANCESCO", "ALESSANDRO", "ANDREA",   "MARCO",
        "MATTEO",  "LORENZO", "DAVIDE",   "STEFANO",  "PAOLO",   "ROBERTO",   "SALVATORE",  "VINCENZO", "FABIO",
        "MASSIMO", "NICOLÒ",  "GIANLUCA", "CARLO",    "PIETRO",  "SIMONE",    "DOMENICO",
    });
    made.femaleNames = listOf({
        "MARIA",   "ANNA",  "GIULIA",  "FRANCESCA", "SARA",      "LAURA",      "CHIARA",
        "PAOLA",   "ELENA", "ROBERTA", "SILVIA",    "VALENTINA", "ALESSANDRA", "FEDERICA",
        "MARTINA", "ROSA",  "ANGELA",  "GIOVANNA",  "BARBARA",   "LUCIA",
    });
    made.companies = listOf({
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
    made.cities = citiesOf({
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
    made.streets = listOf({
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
    made.mobilePrefixes =
        listOf({"320", "328", "329", "333", "335", "338", "339", "340", "347", "348", "349", "366", "380", "392"});
    made.memoLines = listOf({
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
    made.sheetCodes = listOf({"EESE", "EENP", "FLXX", "EEPP", "INFO", "EECN"});
    made.otherCodes = listOf({"EECH", "EERT", "CHIU", "EEIR", "EESA"});
    made.dischargeLetters = listOf({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    made.caseStates = listOf({"In corso", "Chiusa", "Sospesa"});
    made.banks = listOf({"03069", "02008", "05034", "01030", "05696", "06230", "08327", "03111", "05387"});
    made.reasons = SheetFields::motivoImpagatoItems();
    made.families = SheetFields::situazioneFamiliareItems();
    made.homes = SheetFields::abitazioneItems();
    made.contracts = SheetFields::tipologiaContrattoItems();
    made.sheetNotes = listOf({"Disponibile a un piano di rientro", "Reddito discontinuo", "Vive con i genitori",
                              "Ha chiesto di essere richiamato la sera", "Attende la liquidazione del TFR"});
    made.incomes = listOf({"0", "0", "650", "800", "1000", "1200", "1350", "1500", "1800", "2100"});
    made.titles = listOf({"Sig.", "Sig.ra", "Spett.le", "Dott."});
    return made;
}

} // namespace

const Pools& pools()
{
    static const Pools instance = makePools();
    return instance;
}

} // namespace demo
