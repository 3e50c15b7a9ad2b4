#pragma once

#include "tools/contacts/ContactsExport.h"
#include "tools/contacts/ContactsExportView.h"
#include "windows/BusyCursor.h"

#include <QWidget>

#include <functional>
#include <memory>

class Dialogs;
class ModuloCommand;
class QLabel;
class QProgressBar;
struct Dispatch;

/// The contacts export window: a progress label over the export, which it runs once and after which the
/// program ends.
class Frm_EXP_AGGCMP : public QWidget, public ContactsExportView {
    Q_OBJECT
public:
    Frm_EXP_AGGCMP(ModuloCommand& module, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Frm_EXP_AGGCMP() override;

    /// Creates the window for a dispatch, shows it and, when the dispatch says so, starts the export as soon as
    /// the event loop runs (the end of the program needs the loop).
    static std::unique_ptr<Frm_EXP_AGGCMP> open(ModuloCommand& module, Dialogs& dialogs, const Dispatch& dispatch);

    /// The values handed over by the dispatcher.
    ToolParams& params() { return m_export.params; }
    /// What ends the program after an export; by default the window closes and the event loop ends with 0.
    void setEndProgram(std::function<void()> endProgram) { m_endProgram = std::move(endProgram); }

    void setProgressText(const QString& text) override;
    void showProgress(qsizetype done, qsizetype total) override;
    void setBusy(bool busy) override;

public Q_SLOTS:
    /// The export; on success the program ends.
    void Inizia();

private:
    ContactsExport m_export;
    std::function<void()> m_endProgram;
    BusyCursor m_busy;
    QLabel* m_lblData1 = nullptr;
    QProgressBar* m_progress = nullptr;
};
