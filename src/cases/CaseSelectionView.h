#pragma once

#include "cases/CaseLine.h"

#include <QList>
#include <QString>

/// What the case selection shows: the main window's controls, or nothing at all in a batch run.
class CaseSelectionView {
public:
    virtual ~CaseSelectionView() = default;

    /// The filter box (TxtSql): it shows the selection's filter.
    virtual void setFilterText(const QString& text) = 0;
    /// The status label (lblStatus).
    virtual void setStatus(const QString& text) = 0;
    /// The window caption.
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& text) = 0;
    /// The case list (List1), replaced whole.
    virtual void setCaseLines(QList<CaseLine> lines) = 0;
    /// The hourglass.
    virtual void setBusy(bool busy) = 0;
    /// Progress of long work: `done` of `total` (total 0 while unknown); `done` < 0 hides it.
    virtual void showProgress(qsizetype done, qsizetype total) = 0;
};
