#pragma once

#include "cases/CaseSelection.h"
#include "cases/CaseSelectionView.h"
#include "ds/SheetCheck.h"
#include "ds/SheetGenerator.h"
#include "ds/SheetStore.h"
#include "windows/BusyCursor.h"

#include <QElapsedTimer>
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
class FRM_EXP_NRV_XML : public QWidget, public CaseSelectionView, public SheetCheckView, private SheetGenerationView {
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

    /// Lets the window process pending events during long work (tests replace it).
    void setEventPump(EventPump pump) { m_pump = std::move(pump); }

    // What the case selection shows.
    void setFilterText(const QString& text) override;
    void setStatus(const QString& text) override;
    QString caption() const override;
    void setCaption(const QString& text) override;
    void setCaseLines(QList<CaseLine> lines) override;
    void setBusy(bool busy) override;
    void showProgress(qsizetype done, qsizetype total) override;

    // What the check shows.
    void markCheckedRows(qsizetype currentRow) override;
    void showCurrentCase() override;
    void focusControl(SheetControl control) override;
    void enableEsporta() override;
    void showCheckProgress(qsizetype done, qsizetype total) override;

public Q_SLOTS:
    void cmdPratiche_Click();
    /// A case command: saves the sheet shown, then acts; a sheet that cannot be saved keeps the window on its case.
    void cmdComandi_Click(int index);
    void List1_DblClick();
    void lblfield_DblClick(int index);
    void CmdEsporta_Click();
    void Command1_Click();
    void chkSoloTest_Click();
    void Command2_Click();

private:
    /// The case a generation is on, shown at most every 40 ms.
    struct GenerationCase {
        qsizetype position = 0;
        qsizetype total = 0;
        QString text;
        GenerationQuotas quotas;
    };

    /// Shows the current case of the case list in the editor.
    void DumpPratica();
    /// Saves the sheet of the case shown; false when it could not be saved (the operator was told).
    bool SalvaDS(qint32 contatore);
    QWidget* buildFramePratiche();
    QWidget* buildCommandRow();
    /// Brings the case panel (or the generation panel) to the front.
    void showPanel(bool cases);
    /// Shows the current case in the editor (DumpPratica), saying why when it cannot be read.
    void displayCase(bool tellFailure);
    /// Makes the case shown the list's current line, scrolled into view.
    void followCase();
    /// Progress of a walk over the cases, the bar labelled with the case it is on.
    void showCaseProgress(qsizetype done, qsizetype total, const QString& caseText);
    void endProgram();
    /// The export of the flow; the flow writer fills it in.
    void EsportaFlusso();

    // What a generation shows.
    void generationStarts() override;
    void showCase(qsizetype position, qsizetype total, const QString& caseText,
                  const GenerationQuotas& quotas) override;
    bool stopRequested() override { return m_stop; }
    void showStoppedCase() override;
    void showQuotasUsedUp(const QString& group) override;
    void quotasAvailableAgain() override;
    QList<Quota> quotasNow(QuotaArray array) override;
    void pumpEvents() override;
    void showGenerationCase();

    ModuloCommand& m_module;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    Random& m_random;
    CaseSelection m_cases;
    SheetStore m_sheets;
    BusyCursor m_busy;
    bool m_stop = false; ///< set by "Interrompi"; a generation clears it when it starts
    EventPump m_pump;
    std::optional<qint32> m_sheetShown; ///< the case whose sheet the editor holds
    GenerationCase m_generationCase;
    QElapsedTimer m_generationShown;
    QString m_statusBeforeWait;

    QLineEdit* m_TxtSql = nullptr;
    QStackedWidget* m_panels = nullptr;
    QGroupBox* m_Frame1 = nullptr; ///< the generation panel's frame
    QGroupBox* m_FramePratiche = nullptr;
    QListView* m_List1 = nullptr;
    CaseListModel* m_listModel = nullptr;
    std::array<QPushButton*, 7> m_cmdComandi{};
    QPushButton* m_Command1 = nullptr;
    QPushButton* m_cmdPratiche = nullptr;
    QPushButton* m_CmdEsporta = nullptr;
    SheetEditor* m_editor = nullptr;
    GenerationPanel* m_generation = nullptr;
    QLabel* m_lblStatus = nullptr;
    QLabel* m_lblSoloTest = nullptr; ///< in the case panel while "Solo Test (NON SALVA)" is ticked
    QProgressBar* m_progress = nullptr;
};
