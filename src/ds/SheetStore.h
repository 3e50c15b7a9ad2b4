#pragma once

#include "ds/CampiDS.h"
#include "ds/DiagnosisSheet.h"
#include "foundation/Status.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <optional>

/// The Diagnosis Sheet files: one per case, "<contatore>.txt" in the sheet folder on the suite's drive, Windows-1252
/// lines "name==value". Gives a case's sheet as a value, and keeps the editor's CampiDS.
class SheetStore {
public:
    /// The local path of case k's sheet file.
    static QString sheetPath(qint32 k);
    /// The bytes of a sheet's file.
    static QByteArray fileBytes(const DiagnosisSheet& sheet);

    /// Case k's sheet, read from its file once; none when the case has no sheet file. A file that cannot be read
    /// is a failure naming it.
    Result<std::optional<DiagnosisSheet>> sheetOf(qint32 k) const;

    /// True when case k has a sheet file (a normal file).
    bool CeDiagnosiSheet(qint32 k) const;
    /// Empties CampiDS and loads case k's sheet into it; a missing file leaves it empty.
    /// An unreadable file leaves it empty too, and the failure says why.
    Status CaricaDS(qint32 k);
    /// A field of the sheet last loaded or saved.
    QString LeggiDS(const QString& campo) const { return m_campi.LeggiDS(campo); }
    void ScriviDS(const QString& campo, const QString& valore) { m_campi.ScriviDS(campo, valore); }

    /// Rebuilds CampiDS from the editor's 15 values (file order) and the moment of the save, then
    /// writes case k's file; with an empty reason for non-payment the file is deleted instead; in
    /// test mode nothing is written. A file that cannot be written or deleted is a failure naming it.
    Status SalvaDS(qint32 k, const QStringList& editorValues, const QDateTime& now, bool soloTest);

    const CampiDS& campi() const { return m_campi; }

private:
    CampiDS m_campi;
};
