#include "ds/SheetCheck.h"

#include "ds/SheetFields.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "foundation/DateText.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Dialogs.h"

namespace {

struct Finding {
    QString message;
    SheetControl control = SheetControl::None;
};

/// What is missing from a sheet, in the order the creditor's checks go; nothing when complete.
std::optional<Finding> missingFromSheet(const DiagnosisSheet& sheet, const QDate& today)
{
    using namespace SheetFields;
    if (sheet.value(MotivoImpagato).isEmpty())
        return Finding{QStringLiteral("Manca Motivo Impagato"), SheetControl::MotivoImpagato};
    if (sheet.value(SituazioneFamiliare).isEmpty())
        return Finding{QStringLiteral("Manca SituazioneFamiliare"), SheetControl::SituazioneFamiliare};
    if (sheet.value(Abitazione).isEmpty())
        return Finding{QStringLiteral("Manca Abitazione"), SheetControl::Abitazione};
    if (sheet.value(TipologiaContratto).isEmpty())
        return Finding{QStringLiteral("Manca TipologiaContratto"), SheetControl::TipologiaContratto};
    const QString capacita = sheet.value(CapacitaPagamentoFutureScadenze);
    if (capacita.isEmpty())
        return Finding{QStringLiteral("Manca CapacitaPagamentoFutureScadenze"), SheetControl::CapacitaPagamento};
    if (capacita.toUpper() == QLatin1String("N") && !recogniseDate(sheet.value(DataMiglioramento), today))
        return Finding{QStringLiteral("Manca DataMiglioramento"), SheetControl::DataMiglioramento};
    if (sheet.value(ClienteRedditoSalario).isEmpty())
        return Finding{QStringLiteral("Manca Reddito Cliente"), SheetControl::RedditoCliente};
    return std::nullopt;
}

/// What the current case lacks; a case that cannot be read is a finding too.
std::optional<Finding> checkCase(const db::Recordset& pratiche, const SheetStore& store, const QDate& today)
{
    const Result<qint32> k = pratiche.wholeNumber(QStringLiteral("contatore"));
    if (!k)
        return Finding{k.errorText()};
    const Result<QString> code = pratiche.text(QStringLiteral("codicescaricomemo"));
    if (!code)
        return Finding{code.errorText()};
    const QString& memoCode = *code;
    if (memoCode.isEmpty())
        return Finding{QStringLiteral("Manca Codice Scarico Memo")};
    if (!NecessarioDS(memoCode))
        return std::nullopt;
    const Result<std::optional<DiagnosisSheet>> sheet = store.sheetOf(*k);
    if (!sheet)
        return Finding{sheet.errorText()};
    if (!*sheet)
        return Finding{QStringLiteral("Manca Diagnosis Sheet")};
    return missingFromSheet(**sheet, today);
}

} // namespace

bool CheckTutteLePratiche(db::Recordset& pratiche, const SheetStore& store, const QDate& today, SheetCheckView& view,
                          Dialogs& dialogs, const EventPump& pump)
{
    if (pratiche.eof() || pratiche.bof())
        static_cast<void>(pratiche.moveFirst()); // going to the first row cannot fail
    const qsizetype startedOn = pratiche.bookmark();
    const qsizetype total = pratiche.recordCount();
    qsizetype row = 0;
    // The walk's moves cannot fail: it starts on the first row and moves on only before the end.
    for (static_cast<void>(pratiche.moveFirst()); !pratiche.eof(); static_cast<void>(pratiche.moveNext()), ++row) {
        if (const std::optional<Finding> finding = checkCase(pratiche, store, today)) {
            view.markCheckedRows(row);
            view.showCheckProgress(-1, total);
            view.showCurrentCase();
            dialogs.message(finding->message);
            if (finding->control != SheetControl::None)
                view.focusControl(finding->control);
            return false;
        }
        if (row % 1024 == 1023) {
            view.showCheckProgress(row + 1, total);
            if (pump)
                pump();
        }
    }
    view.markCheckedRows(row);
    view.showCheckProgress(-1, total);
    view.enableEsporta();
    // Coming back fails only on an empty list, where there is no case to come back to.
    static_cast<void>(pratiche.setBookmark(startedOn));
    dialogs.message(QStringLiteral("I dati sembrano OK"));
    return true;
}
