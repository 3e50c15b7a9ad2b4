#pragma once

#include <QString>

/// What the contacts export shows: the window's progress label, or nothing at all in a batch run.
class ContactsExportView {
public:
    virtual ~ContactsExportView() = default;

    /// The progress label (lblData1).
    virtual void setProgressText(const QString& text) = 0;
    /// Progress of the export: `done` of `total` cases; `done` < 0 hides it.
    virtual void showProgress(qsizetype done, qsizetype total) = 0;
    /// The hourglass.
    virtual void setBusy(bool busy) = 0;
};
