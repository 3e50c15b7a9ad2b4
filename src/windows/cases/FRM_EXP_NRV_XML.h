#pragma once

#include "cases/CaseSelection.h"
#include "cases/CaseSelectionView.h"
#include "ds/SheetCheck.h"
#include "ds/SheetStore.h"
#include "windows/BusyCursor.h"

#include <QWidget>

#include <array>

class CaseListModel;
class Clock;
class GenerationPanel;
class SheetEditor;
class Dialogs;
class ModuloCommand;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class Random;

/// The main window "Esportazione Norvanta XML": the filter box, the case list with its commands,
/// and the Diagnosis Sheet panel under it.
class FRM_EXP_NRV_XML : public QWidget, public CaseSelectionView, public SheetCheckView {
    Q_OBJECT
public:
    /// Indexes of the case commands (cmdComandi).
    enum Comando { Primo = 0, Precedente, Successivo, Ultimo, Chiudi, ControllaDati, RileggiPratiche };

    FRM_EXP_NRV_XML(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, Random& random,
                    QWidget* parent = nullptr);
    ~FRM_EXP_NRV_XML() override;

    /// The load sequence: the sheet folder check, the dispatch of the suite's command line, the
    /// layout, the random seed. Returns false when the program must end.
    bool Form_Load(const QString& line);

    CaseSelection& cases() { return m_cases; }
    SheetStore& sheets() { return m_sheets; }
    SheetEditor* editor() const { return m_editor; }
    GenerationPanel* generationPanel() const { return m_generation; }
    /// Set by "Interrompi"; the generation clears it when it starts and stops when it is set.
    bool stopRequested() const { return m_stop; }
    void setStopRequested(bool stop) { m_stop = stop; }
    /// "Interrompi" is shown only while a generation runs.
    void setInterrompiVisible(bool visible);
    /// Lets the window process pending events during long work (tests replace it).
    void pumpEvents();
    void setEventPump(EventPump pump) { m_pump = std::move(pump); }
    /// A case command (cmdComandi): saves the sheet shown, then acts. False when the sheet could not be
    /// saved: the window then stays on its case.
    bool runCaseCommand(int index);

    // What the case selection shows.
    void setFilterText(const QString& text) override;
    void setStatus(const QString& text) override;
    QString caption() const override;
    void setCaption(const QString& text) override;
    void setCaseLines(QList<CaseLine> lines) override;
    void setBusy(bool busy) override;
    void showProgress(qsizetype done, qsizetype total) override;
    /// Progress of a walk over the cases, the bar labelled with the case it is on.
    void showCaseProgress(qsizetype done, qsizetype total, const QString& caseText);
    /// The status line's text.
    QString status() const;

    // What the check shows.
    void markCheckedRows(qsizetype currentRow) override;
    void showCurrentCase() override;
    void focusControl(SheetControl control) override;
    void enableEsporta() override;
    void showCheckProgress(qsizetype done, qsizetype total) override;

    /// Shows the current case of the case list in the editor.
    void DumpPratica();
    /// Saves the sheet of the case shown; false when it could not be saved (the operator was told).
    bool SalvaDS(qint32 contatore);

public Q_SLOTS:
    void cmdPratiche_Click();
    void cmdComandi_Click(int index);
    void List1_DblClick();
    void lblfield_DblClick(int index);
    void CmdEsporta_Click();
    void Command1_Click();
    void chkSoloTest_Click();
    void Command2_Click();

private:
    QWidget* buildFramePratiche();
    QWidget* buildCommandRow();
    /// Makes the case shown the list's current line, scrolled into view.
    void followCase();
    void endProgram();
    /// The export of the flow; the flow writer fills it in.
    void EsportaFlusso();

    ModuloCommand& m_module;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    Random& m_random;
    CaseSelection m_cases;
    SheetStore m_sheets;
    BusyCursor m_busy;
    bool m_stop = false;
    EventPump m_pump;

    QLineEdit* TxtSql = nullptr;
    QStackedWidget* m_panels = nullptr;
    QGroupBox* Frame1 = nullptr; ///< the generation panel's frame
    QGroupBox* FramePratiche = nullptr;
    QListView* List1 = nullptr;
    CaseListModel* m_listModel = nullptr;
    std::array<QPushButton*, 7> cmdComandi{};
    QPushButton* Command1 = nullptr;
    QPushButton* cmdPratiche = nullptr;
    QPushButton* CmdEsporta = nullptr;
    SheetEditor* m_editor = nullptr;
    GenerationPanel* m_generation = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblSoloTest = nullptr; ///< in the case panel while "Solo Test (NON SALVA)" is ticked
    QProgressBar* m_progress = nullptr;
};
