#include "tools/contacts/ContactsCsv.h"

#include "foundation/BlankTrim.h"
#include "foundation/Windows1252.h"
#include "foundation/db/Recordset.h"

#include <QIODevice>

namespace {

// The column labels of the Italian address book's contact import, in its own order; the import matches them
// by name, so they are written exactly so, accents included.
const QStringList& labels()
{
    static const QStringList list = {
        QStringLiteral("Titolo"),
        QStringLiteral("Nome"),
        QStringLiteral("Secondo nome"),
        QStringLiteral("Cognome"),
        QStringLiteral("Titolo straniero"),
        QStringLiteral("Società"),
        QStringLiteral("Reparto"),
        QStringLiteral("Posizione"),
        QStringLiteral("Via (uff.)"),
        QStringLiteral("Via (uff.) 2"),
        QStringLiteral("Via (uff.) 3"),
        QStringLiteral("Città (uff.)"),
        QStringLiteral("Provincia (uff.)"),
        QStringLiteral("CAP (uff.)"),
        QStringLiteral("Paese (uff.)"),
        QStringLiteral("Via (ab.)"),
        QStringLiteral("Via (ab.) 2"),
        QStringLiteral("Via (ab.) 3"),
        QStringLiteral("Città (ab.)"),
        QStringLiteral("Provincia (ab.)"),
        QStringLiteral("CAP (ab.)"),
        QStringLiteral("Paese (ab.)"),
        QStringLiteral("Altra via"),
        QStringLiteral("Altra via 2"),
        QStringLiteral("Altra via 3"),
        QStringLiteral("Altra città"),
        QStringLiteral("Altra provincia"),
        QStringLiteral("Altro CAP"),
        QStringLiteral("Altro paese"),
        QStringLiteral("Telefono assistente"),
        QStringLiteral("Fax (uff.)"),
        QStringLiteral("Ufficio"),
        QStringLiteral("Ufficio 2"),
        QStringLiteral("Richiamata automatica"),
        QStringLiteral("Telefono auto"),
        QStringLiteral("Telefono principale società"),
        QStringLiteral("Fax (ab.)"),
        QStringLiteral("Abitazione"),
        QStringLiteral("Abitazione 2"),
        QStringLiteral("ISDN"),
        QStringLiteral("Cellulare"),
        QStringLiteral("Altro fax"),
        QStringLiteral("Altro telefono"),
        QStringLiteral("Cercapersone"),
        QStringLiteral("Telefono principale"),
        QStringLiteral("Radiotelefono"),
        QStringLiteral("Telefono TTY/TDD"),
        QStringLiteral("Telex"),
        QStringLiteral("Account"),
        QStringLiteral("Altro indirizzo - Casella postale"),
        QStringLiteral("Anniversario"),
        QStringLiteral("Categorie"),
        QStringLiteral("Cod. Fisc./P. IVA"),
        QStringLiteral("Compleanno"),
        QStringLiteral("Dati fatturazione"),
        QStringLiteral("Disponibilità Internet"),
        QStringLiteral("Figli"),
        QStringLiteral("Hobby"),
        QStringLiteral("Indennità trasferta"),
        QStringLiteral("Indirizzo (ab.) - Casella postale"),
        QStringLiteral("Indirizzo (uff.) - Casella postale"),
        QStringLiteral("Iniziali"),
        QStringLiteral("Lingua"),
        QStringLiteral("Luogo"),
        QStringLiteral("Nome assistente"),
        QStringLiteral("Nome coniuge"),
        QStringLiteral("Nome manager"),
        QStringLiteral("Notes"),
        QStringLiteral("Numero ID organizzativo"),
        QStringLiteral("Pagina Web"),
        QStringLiteral("Parole chiave"),
        QStringLiteral("Indirizzo posta elettronica"),
        QStringLiteral("Tipo posta elettronica"),
        QStringLiteral("Nome visualizzato posta elettronica"),
        QStringLiteral("Indirizzo posta elettronica 2"),
        QStringLiteral("Tipo posta elettronica 2"),
        QStringLiteral("Nome visualizzato posta elettronica 2"),
        QStringLiteral("Indirizzo posta elettronica 3"),
        QStringLiteral("Tipo posta elettronica 3"),
        QStringLiteral("Nome visualizzato posta elettronica 3"),
        QStringLiteral("Presentato da"),
        QStringLiteral("Priorità"),
        QStringLiteral("Privato"),
        QStringLiteral("Professione"),
        QStringLiteral("Riservatezza"),
        QStringLiteral("Server di elenchi in linea"),
        QStringLiteral("Sesso"),
        QStringLiteral("Ubicazione ufficio"),
        QStringLiteral("Utente 1"),
        QStringLiteral("Utente 2"),
        QStringLiteral("Utente 3"),
        QStringLiteral("Utente 4"),
    };
    return list;
}

// One text, split at every comma, as the agency has always kept it: the position of an item is its column, so
// the empty items between the commas matter as much as the filled ones.
const QString templateText = QStringLiteral(
    "[Vocativo],[Nome],,[Cognome],,[Posizione],,[P_IVA],[Indirizzo],,,[Citta],[Provincia],[CAP],,,,,,,,,,,,,,,,"
    "[tel recapito],[telefono2],[telefono1],,,,,,,,,[tel recapito],,,,,,,,,,0/0/00,,,0/0/00,,,,,,,,N.e.c.,,,,,,"
    "[Memo],,[Ind_Garante],,[Garante],SMTP,[Ragione sociale] & @ & [Garante],,,,,,,,Normale,Falso,,Normale,,"
    "Non specificato");

const QString emptyCell = QStringLiteral("\"\"");
const QString displayNameItem = QStringLiteral("Ragione sociale & @ & Garante");
const QString nameField = QStringLiteral("ragione sociale");

Status written(QIODevice* device, const QByteArray& bytes)
{
    if (device->write(bytes) != bytes.size())
        return Status::failure(device->errorString());
    return Status::success();
}

} // namespace

const QStringList& ContactsCsv::headerLabels()
{
    return labels();
}

const QStringList& ContactsCsv::rowTemplate()
{
    static const QStringList items = templateText.split(QLatin1Char(','), Qt::KeepEmptyParts);
    return items;
}

QString ContactsCsv::clean(QString value)
{
    // The order matters: a comma next to a CR LF yields two blanks, and only blanks are trimmed (a TAB stays),
    // as the address book has always received these values.
    value.replace(QLatin1Char(','), QLatin1Char(' '));
    value.replace(QLatin1Char('\''), QLatin1Char(' '));
    value.replace(QChar(u'\0'), QLatin1Char(' '));
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    return trimBlanks(value);
}

Result<QString> ContactsCsv::fieldValue(const QString& item, const db::Recordset& cases)
{
    QString name = item;
    name.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    if (name == displayNameItem) {
        const Result<QString> debtor = cases.text(nameField);
        if (!debtor)
            return debtor;
        const Result<QString> guarantor = cases.text(QStringLiteral("garante"));
        if (!guarantor)
            return guarantor;
        return *debtor + QLatin1Char('@') + *guarantor;
    }
    const bool surname = name.compare(QLatin1String("cognome"), Qt::CaseInsensitive) == 0;
    if (surname || name.compare(QLatin1String("nome"), Qt::CaseInsensitive) == 0) {
        // The suite keeps one name, surname first; its first two words stand for surname and first name. The
        // split is at every single blank, so two blanks leave an empty first name.
        const Result<QString> debtor = cases.text(nameField);
        if (!debtor)
            return debtor;
        if (!debtor->contains(QLatin1Char(' ')))
            return *debtor;
        const QStringList words = debtor->split(QLatin1Char(' '), Qt::KeepEmptyParts);
        return surname ? words.at(0) : words.at(1);
    }
    if (name.compare(QLatin1String("vocativo"), Qt::CaseInsensitive) == 0)
        return cases.text(QStringLiteral("voc"));
    return cases.text(name);
}

Result<QString> ContactsCsv::cell(const QString& item, const db::Recordset& cases)
{
    if (item.isEmpty())
        return emptyCell;
    if (!item.startsWith(QLatin1Char('[')))
        return trimBlanks(item);
    const Result<QString> value = fieldValue(item, cases);
    if (!value)
        return value;
    // A double quote inside a value is doubled, as CSV readers expect: written alone it would end the cell
    // there and shift every column after it.
    QString text = clean(*value);
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

Status ContactsCsv::writeHeader(QIODevice* device)
{
    QStringList quoted;
    quoted.reserve(labels().size());
    for (const QString& label : labels())
        quoted.append(QLatin1Char('"') + label + QLatin1Char('"'));
    return written(device, Windows1252::encode(quoted.join(QLatin1Char(','))) + "\r\n");
}

Status ContactsCsv::writeCase(QIODevice* device, const db::Recordset& cases)
{
    const QStringList& items = rowTemplate();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Result<QString> text = cell(items.at(i), cases);
        if (!text)
            return text.status();
        QByteArray bytes = Windows1252::encode(*text);
        bytes += i + 1 < items.size() ? QByteArrayLiteral(",") : QByteArrayLiteral("\r\n");
        if (Status status = written(device, bytes); !status)
            return status;
    }
    return Status::success();
}
