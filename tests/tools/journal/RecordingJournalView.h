#pragma once

#include "tools/journal/JournalBatchView.h"

/// The journal's view for tests: as the batch view, and it remembers every caption and what printing showed.
class RecordingJournalView : public JournalBatchView {
public:
    RecordingJournalView() : JournalBatchView(nullptr) {}

    void setCaption(const QString& text) override;
    void setLoadEnabled(bool enabled) override { loadEnabled.append(enabled); }
    void setPrintVisible(bool visible) override { printVisible.append(visible); }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }

    QStringList captions;
    QList<bool> loadEnabled;
    QList<bool> printVisible;
    int busyDepth = 0;
};
