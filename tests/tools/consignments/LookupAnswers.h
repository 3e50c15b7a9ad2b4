#pragma once

#include "launcher/ModuloCommand.h"
#include "tools/consignments/OtherConsignments.h"
#include "tools/consignments/OtherConsignmentsView.h"

#include <QList>
#include <QStringList>

#include <functional>

/// The lookup's view for tests: it remembers captions, lines and button states, and can act on each case.
class RecordingConsignmentsView : public OtherConsignmentsView {
public:
    void setCaption(const QString& text) override;
    void addLine(const QString& line) override { lines.append(line); }
    void setRunEnabled(bool enabled) override { runEnabled = enabled; }
    void setStopEnabled(bool enabled) override { stopEnabled = enabled; }
    void showProgress(qsizetype done, qsizetype) override;

    QStringList captions;
    QStringList lines;
    bool runEnabled = true;
    bool stopEnabled = false;
    /// Called as each case begins, with its number from 1.
    std::function<void(qsizetype)> onCase;
    /// Called with each caption.
    std::function<void(const QString&)> onCaption;
};

/// Whether each case of the selection was listed by one run of "&Elabora" (a hit adds one line), in its order;
/// `duringCase` is called as each case begins.
QList<bool> hitsOfRun(OtherConsignments& lookup, RecordingConsignmentsView& view,
                      const std::function<void(qsizetype)>& duringCase = {});

/// The answers of the lookup's question asked of the database case by case ("are there cases with this P_iva and
/// another [data affido]"), for each case of the selection of `params` in its order; a case without a tax code is
/// not asked.
QList<bool> perCaseAnswers(ModuloCommand& module, const ToolParams& params);
