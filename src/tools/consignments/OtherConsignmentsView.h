#pragma once

#include <QString>

/// What the other-consignments lookup shows: the controls of FrmAltriAffidiCF, or printed lines in a batch run.
class OtherConsignmentsView {
public:
    virtual ~OtherConsignmentsView() = default;

    /// The window caption, which tells how far the run is.
    virtual void setCaption(const QString& text) = 0;
    /// Adds a line to the list (List1); the list is never cleared.
    virtual void addLine(const QString& line) = 0;
    /// "&Elabora" (CmdElabora index 0).
    virtual void setRunEnabled(bool enabled) = 0;
    /// "Interrompi" (CmdElabora index 1).
    virtual void setStopEnabled(bool enabled) = 0;
    /// Progress of the run: `done` of `total` cases; `done` < 0 hides it.
    virtual void showProgress(qsizetype done, qsizetype total) = 0;
};
