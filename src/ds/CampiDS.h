#pragma once

#include <QString>

#include <array>

/// The sheet in memory: 99 slots of a field name and a value, filled from slot 1 upwards.
/// A slot whose name is empty is free; reading always scans all 99 slots.
class CampiDS {
public:
    static constexpr int Slots = 99;

    /// Empties every slot.
    void clear();
    /// Fills the slots from a sheet file's text: one slot per line with "==" (name, then value;
    /// pieces after the second "==" are dropped); other lines and lines past the 99th slot are ignored.
    void load(const QString& text);
    /// The value of the first slot whose name matches without regard to letter case, without
    /// leading and trailing blanks; "" when no slot matches.
    QString LeggiDS(const QString& campo) const;
    /// Sets a field: the first free slot or the first slot of that name takes it; an empty income
    /// ("reddito") becomes "0". Returns false when all 99 slots hold other names.
    bool ScriviDS(const QString& campo, const QString& valore);
    /// The file's text: "name==value" CR LF for every slot up to the first free one.
    QString fileText() const;

    const QString& name(int slot) const { return m_slots[size_t(slot - 1)].campo; }
    const QString& value(int slot) const { return m_slots[size_t(slot - 1)].valore; }

private:
    struct Slot {
        QString campo;
        QString valore;
    };
    std::array<Slot, Slots> m_slots;
};
