#pragma once

#include "ds/DiagnosisSheet.h"

#include <QString>

#include <utility>

/// The editor's sheet in memory: 99 slots of a field name and a value, filled from slot 1 upwards; the sheet last
/// loaded for the case shown, or last built from the editor by a save.
class CampiDS {
public:
    /// Empties every slot.
    void clear() { m_sheet = DiagnosisSheet(); }
    /// Fills the slots with a sheet, one entry a slot.
    void load(DiagnosisSheet sheet) { m_sheet = std::move(sheet); }
    /// The value of the first slot whose name matches without regard to letter case, trimmed of blanks.
    QString LeggiDS(const QString& campo) const { return m_sheet.value(campo); }
    /// Sets a field: the first free slot or the first slot of that name takes it; an empty income
    /// ("reddito") becomes "0". Returns false when all 99 slots hold other names.
    bool ScriviDS(const QString& campo, const QString& valore);
    /// The value of a slot (1 to 99), "" past the last one filled.
    QString value(int slot) const;

    const DiagnosisSheet& sheet() const { return m_sheet; }

private:
    DiagnosisSheet m_sheet;
};
