#pragma once

#include "tools/consignments/OtherConsignments.h"
#include "tools/consignments/OtherConsignmentsView.h"

#include <QWidget>

#include <array>
#include <memory>

class Dialogs;
class ModuloCommand;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
struct Dispatch;

/// The other-consignments window: the list of hits, a status line that tells how the run ended, and, in one row,
/// "Stampa", "Interrompi" and "&Elabora".
class FrmAltriAffidiCF : public QWidget, public OtherConsignmentsView {
    Q_OBJECT
public:
    FrmAltriAffidiCF(ModuloCommand& module, Dialogs& dialogs, QWidget* parent = nullptr);

    /// Creates the window for a dispatch and shows it; nothing runs until "&Elabora" is pressed.
    static std::unique_ptr<FrmAltriAffidiCF> open(ModuloCommand& module, Dialogs& dialogs, const Dispatch& dispatch);

    /// The values handed over by the dispatcher.
    ToolParams& params() { return m_lookup.params; }
    OtherConsignments& lookup() { return m_lookup; }

    void setCaption(const QString& text) override;
    void addLine(const QString& line) override;
    void setRunEnabled(bool enabled) override;
    void setStopEnabled(bool enabled) override;
    void showProgress(qsizetype done, qsizetype total) override;

public Q_SLOTS:
    void CmdElabora_Click(int index);

protected:
    /// Closing the window during a run stops it before its next case.
    void closeEvent(QCloseEvent* event) override;

private:
    OtherConsignments m_lookup;
    QListWidget* m_List1 = nullptr;
    std::array<QPushButton*, 3> m_CmdElabora{};
    QProgressBar* m_progress = nullptr;
    QLabel* m_lblStatus = nullptr; ///< how the run ended and how many lines it found
};
