#pragma once

#include <QString>

#include <optional>

class Clock;
class Dialogs;
class FRM_EXP_NRV_XML;
class Random;
struct QuotaBox;
class QLineEdit;
template <typename T> class QList;

/// "Genera Diagnosis Sheet Casuali": fills in the sheets of the listed cases that need one, drawing
/// each answer under the quotas of the "Diagnosis Sheet" panel (or taking the reason from the
/// case's discharge code), through the editor and the next-case command, so every case is saved as
/// the operator would save it.
class SheetGeneration {
public:
    SheetGeneration(FRM_EXP_NRV_XML& window, Dialogs& dialogs, const Clock& clock, Random& random);

    /// The whole run, from the confirmation to its end.
    void run();

private:
    /// Why a run stops on a case, or nothing while it goes on.
    using Stop = std::optional<QString>;

    Stop walk();
    Stop checkCase(bool& generate);
    Stop generateCase(qint32 k, const QString& dischargeCode);
    /// One draw from a row of quota boxes of the panel's `group`; the boxes' tags and tooltips count it. Nothing
    /// when stopped.
    std::optional<int> draw(const QString& group, int n, const QList<QLineEdit*>& boxes, int offset);
    QString describeCase() const;

    FRM_EXP_NRV_XML& m_window;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    Random& m_random;
};
