#pragma once

#include "tools/consignments/OtherConsignmentsView.h"

#include <QList>
#include <QStringList>

#include <functional>

/// The lookup's view for tests: it remembers captions, lines and button states, and can act on each case.
class RecordingConsignmentsView : public OtherConsignmentsView {
public:
    void setCaption(const QString& text) override
    {
        captions.append(text);
        if (onCaption)
            onCaption(text);
    }
    void addLine(const QString& line) override { lines.append(line); }
    void setRunEnabled(bool enabled) override { runEnabled = enabled; }
    void setStopEnabled(bool enabled) override { stopEnabled = enabled; }
    void showProgress(qsizetype done, qsizetype) override
    {
        if (done > 0 && onCase)
            onCase(done);
    }

    QStringList captions;
    QStringList lines;
    bool runEnabled = true;
    bool stopEnabled = false;
    /// Called as each case begins, with its number from 1.
    std::function<void(qsizetype)> onCase;
    /// Called with each caption.
    std::function<void(const QString&)> onCaption;
};
