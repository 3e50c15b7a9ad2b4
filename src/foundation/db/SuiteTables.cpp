#include "foundation/db/SuiteTables.h"

namespace db {

namespace {

FieldDescription key(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::WholeNumber, true};
}
FieldDescription whole(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::WholeNumber};
}
FieldDescription text(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::Text};
}
FieldDescription currency(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::Currency};
}
FieldDescription date(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::Date};
}
FieldDescription number(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::Number};
}

QList<TableDescription> describeTables()
{
    return {
        {QStringLiteral("Tabella Pratiche"),
         {key("contatore"),
          text("ragione sociale"),
          text("posizione"),
          text("tipo mandato"),
          text("altroriferimento"),
          text("codice scarico"),
          text("codicescaricomemo"),
          text("datascaricomemo"),
          text("memo"),
          date("data affido"),
          text("situazione affido"),
          text("P_iva"),
          text("citta"),
          text("provincia"),
          text("cap"),
          text("indirizzo"),
          whole("vocativo"),
          text("nome"),
          text("cognome"),
          text("garante"),
          text("Ind_Garante"),
          text("tel recapito"),
          text("telefono1"),
          text("telefono2")},
         {QStringLiteral("P_iva")}},
        {QStringLiteral("Tabella Pagamenti"),
         {key("ID"), whole("conta"), text("modo"), date("data"), currency("totale"), currency("capitale"),
          text("causale"), number("ricevuta"), date("dataricevuta"), currency("spese"), currency("speserecupero"),
          date("datascarico")},
         {QStringLiteral("conta")}},
        {QStringLiteral("Tabella Riscontro"),
         {whole("id_incasso"), text("abi"), text("cab"), text("cc"), text("ass"), date("data"), text("firmatario")},
         {QStringLiteral("id_incasso")}},
        {QStringLiteral("vocativo"), {whole("tipo"), text("vocativo")}, {}},
        {QStringLiteral("Working"), {text("operatore"), text("SOC"), date("data1"), whole("c1"), currency("N_1")}, {}},
    };
}

} // namespace

const QList<TableDescription>& suiteTables()
{
    static const QList<TableDescription> tables = describeTables();
    return tables;
}

const TableDescription* findSuiteTable(const QString& name)
{
    for (const TableDescription& table : suiteTables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

QString sqliteDeclaredType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::WholeNumber:
        return QStringLiteral("INTEGER");
    case FieldKind::Text:
        return QStringLiteral("TEXT");
    case FieldKind::Currency:
        return QStringLiteral("CURRENCY");
    case FieldKind::Date:
        return QStringLiteral("DATETIME");
    case FieldKind::Number:
        return QStringLiteral("NUMERIC");
    }
    return QStringLiteral("TEXT");
}

QString postgresDeclaredType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::WholeNumber:
        return QStringLiteral("integer");
    case FieldKind::Text:
        return QStringLiteral("text");
    case FieldKind::Currency:
        return QStringLiteral("numeric(19,4)");
    case FieldKind::Date:
        return QStringLiteral("date");
    case FieldKind::Number:
        return QStringLiteral("numeric");
    }
    return QStringLiteral("text");
}

FieldKind fieldKindOfSqliteType(const QString& declaredType)
{
    const QString type = declaredType.trimmed().toUpper();
    if (type.startsWith(QLatin1String("INT")))
        return FieldKind::WholeNumber;
    if (type == QLatin1String("CURRENCY") || type == QLatin1String("MONEY"))
        return FieldKind::Currency;
    if (type.startsWith(QLatin1String("DATE")) || type == QLatin1String("TIMESTAMP"))
        return FieldKind::Date;
    if (type.startsWith(QLatin1String("NUMERIC")) || type.startsWith(QLatin1String("DECIMAL")))
        return FieldKind::Number;
    return FieldKind::Text;
}

} // namespace db
