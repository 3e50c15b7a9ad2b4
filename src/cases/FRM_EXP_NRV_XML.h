#pragma once

#include "cases/CaseSelection.h"
#include "cases/CaseSelectionView.h"

#include <QWidget>

#include <array>

class CaseListModel;
class Clock;
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
class FRM_EXP_NRV_XML : public QWidget, public CaseSelectionView {
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

    // What the case selection shows.
    QString filterText() const override;
    void setFilterText(const QString& text) override;
    void setStatus(const QString& text) override;
    QString caption() const override;
    void setCaption(const QString& text) override;
    void setCaseLines(QList<CaseLine> lines) override;
    void setBusy(bool busy) override;
    void showProgress(qsizetype done, qsizetype total) override;

public Q_SLOTS:
    void cmdPratiche_Click();
    void cmdComandi_Click(int index);

private:
    QWidget* buildFramePratiche();
    QWidget* buildCommandRow();
    void endProgram();

    ModuloCommand& m_module;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    Random& m_random;
    CaseSelection m_cases;
    int m_busyDepth = 0;

    QLineEdit* TxtSql = nullptr;
    QStackedWidget* m_panels = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* FramePratiche = nullptr;
    QListView* List1 = nullptr;
    CaseListModel* m_listModel = nullptr;
    std::array<QPushButton*, 7> cmdComandi{};
    QPushButton* Command1 = nullptr;
    QPushButton* cmdPratiche = nullptr;
    QPushButton* CmdEsporta = nullptr;
    QLabel* lblStatus = nullptr;
    QProgressBar* m_progress = nullptr;
};
