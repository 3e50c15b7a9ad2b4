#pragma once

#include "foundation/Status.h"

#include <QStringList>

#include <array>
#include <optional>

class SheetStore;
namespace db {
class Recordset;
}

/// What the "Dati Pratiche" frame shows of the current case and its Diagnosis Sheet.
struct CaseDisplay {
    /// The recordset fields shown by the labels lblfield(0) to lblfield(5), in index order.
    static const std::array<QString, 6>& fieldTags();

    qint32 contatore = 0;
    QString position; ///< lbSetPraStatus: "3/120"
    /// Captions of lblfield(0..5); no value for a label that keeps its caption.
    std::array<std::optional<QString>, 6> fieldCaptions;
    QString memo;
    bool sheetRequired = false;
    /// The 15 sheet values in file order, all empty when the case has no sheet file.
    QStringList sheetValues;
};

/// The 15 sheet values the editor shows for case k, in file order: its sheet file's fields as read (trimmed, the
/// first of a duplicated name), all empty when the case has no sheet file. A file that cannot be read is a failure.
Result<QStringList> shownSheetValues(SheetStore& store, qint32 k);

/// Reads the current case for the frame (DumpPratica): brings a recordset past its end back to its
/// last case (and before its start to its first), loads the case's sheet. No value when the
/// recordset holds no case. A field that cannot be read, or a sheet file that cannot, is a failure.
Result<std::optional<CaseDisplay>> DumpPratica(db::Recordset& pratiche, SheetStore& store, bool modoAccess);
