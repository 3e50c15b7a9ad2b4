#pragma once

#include "foundation/ports/EventPump.h"

#include <QDate>
#include <QString>

class Dialogs;
class SheetStore;
namespace db {
class Recordset;
}

/// The editor control that a finding of the check puts the focus on.
enum class SheetControl {
    None,
    MotivoImpagato,      ///< cboMotivoImpagato
    SituazioneFamiliare, ///< cboSituazioneFamiliare
    Abitazione,          ///< cboAbitazione
    TipologiaContratto,  ///< cboTipologiaContratto
    CapacitaPagamento,   ///< cboCapacitaPagareFutureScadenze
    DataMiglioramento,   ///< Scheda(3)
    RedditoCliente,      ///< Scheda(4)
};

/// What the check shows while it walks the cases.
class SheetCheckView {
public:
    virtual ~SheetCheckView() = default;
    /// The list: rows before `currentRow` marked selected, `currentRow` not selected (when it is past
    /// the last row, every row is selected).
    virtual void markCheckedRows(qsizetype currentRow) = 0;
    /// Shows the recordset's current case in the editor.
    virtual void showCurrentCase() = 0;
    virtual void focusControl(SheetControl control) = 0;
    virtual void enableEsporta() = 0;
    virtual void showCheckProgress(qsizetype done, qsizetype total) = 0;
};

/// "Controlla Dati": walks every listed case and stops at the first one that lacks its memo code or
/// whose code asks for a Diagnosis Sheet that is missing or incomplete; shows that case, says what is
/// missing and puts the focus where it is filled in. When nothing is missing it enables "Esporta",
/// comes back to the case it started from and says "I dati sembrano OK". Returns true when it passed.
bool CheckTutteLePratiche(db::Recordset& pratiche, const SheetStore& store, const QDate& today, SheetCheckView& view,
                          Dialogs& dialogs, const EventPump& pump = {});
