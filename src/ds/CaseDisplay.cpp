#include "ds/CaseDisplay.h"

#include "ds/SheetFields.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "foundation/db/Recordset.h"

const std::array<QString, 6>& CaseDisplay::fieldTags()
{
    static const std::array<QString, 6> tags = {QStringLiteral("ragione sociale"),   QStringLiteral("posizione"),
                                                QStringLiteral("codicescaricomemo"), QStringLiteral("codice scarico"),
                                                QStringLiteral("contatore"),         QStringLiteral("datascaricomemo")};
    return tags;
}

Result<QStringList> shownSheetValues(SheetStore& store, qint32 k)
{
    if (Status loaded = store.CaricaDS(k); !loaded)
        return loaded;
    // A case without a sheet file leaves CampiDS empty: every control of the editor is emptied.
    QStringList values;
    for (const QString& field : SheetFields::editable())
        values.append(store.LeggiDS(field));
    return values;
}

Result<std::optional<CaseDisplay>> DumpPratica(db::Recordset& pratiche, SheetStore& store, bool modoAccess)
{
    if (pratiche.recordCount() == 0)
        return std::optional<CaseDisplay>();
    // With a row at least, going to either end cannot fail.
    if (pratiche.eof())
        static_cast<void>(pratiche.moveLast());
    if (pratiche.bof())
        static_cast<void>(pratiche.moveFirst());

    CaseDisplay display;
    const Result<qint32> k = pratiche.wholeNumber(QStringLiteral("contatore"));
    if (!k)
        return k.status();
    display.contatore = *k;
    display.position = QStringLiteral("%1/%2").arg(pratiche.absolutePosition()).arg(pratiche.recordCount());

    const Result<QStringList> sheet = shownSheetValues(store, display.contatore);
    if (!sheet)
        return sheet.status();
    display.sheetValues = *sheet;
    for (size_t index = 0; index < CaseDisplay::fieldTags().size(); ++index) {
        const QString& tag = CaseDisplay::fieldTags()[index];
        // An Access database's memo date is never shown.
        if (modoAccess && tag.toUpper() == QLatin1String("DATASCARICOMEMO"))
            continue;
        const Result<QString> value = pratiche.text(tag);
        if (!value)
            return value.status();
        display.fieldCaptions[index] = *value;
    }
    const Result<QString> memo = pratiche.text(QStringLiteral("MEMO"));
    if (!memo)
        return memo.status();
    display.memo = *memo;
    const Result<QString> code = pratiche.text(QStringLiteral("codicescaricomemo"));
    if (!code)
        return code.status();
    display.sheetRequired = NecessarioDS(*code);
    return std::optional<CaseDisplay>(display);
}
