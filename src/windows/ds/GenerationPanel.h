#pragma once

#include "ds/SheetGenerator.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// The "Diagnosis Sheet" panel (Frame1): the quotas under which the sheets are generated, the
/// candidate amounts and notes, the options and the command that starts a generation.
class GenerationPanel : public QWidget {
    Q_OBJECT
public:
    explicit GenerationPanel(QWidget* parent = nullptr);

    /// Presets every quota from the number of listed cases, as "Solo Test (NON SALVA)" does when ticked.
    void applyPresets(qsizetype cases);
    bool soloTest() const;
    /// The panel as a run takes it: its quotas (counted from 0), amounts, notes and options.
    GenerationSettings settings() const;
    /// The quotas of one array as its boxes hold them now.
    QList<Quota> quotas(QuotaArray array) const;
    /// Each quota box's tooltip says how many cases received its value (nothing when none did).
    void showCounts(const GenerationQuotas& quotas);

Q_SIGNALS:
    /// A click on "Solo Test (NON SALVA)".
    void soloTestClicked();
    void soloTestToggled(bool ticked);
    /// A click on "Genera Diagnosis Sheet Casuali".
    void generateClicked();

private:
    QLineEdit* newBox(const QString& array, int index, int width);
    QLabel* newLabel(const QString& text);
    QWidget* choiceGroup(const QString& title, const QStringList& captions, QList<QLineEdit*>& quotas,
                         const QString& arrayName, int firstIndex);
    QWidget* incomeGroup();
    QWidget* notesGroup();
    const QList<QLineEdit*>& boxes(QuotaArray array) const;

    // Quota boxes: how many cases may receive each value in one run (empty: no limit).
    QList<QLineEdit*> m_TxtMotivoImpagato;
    QList<QLineEdit*> m_TxtSituazioneFamiliare;
    QList<QLineEdit*> m_TxtAbitazione;
    QList<QLineEdit*> m_TxtTipologiaContratto;
    QList<QLineEdit*> m_TxtCapacitaPagareFutureRate;
    QList<QLineEdit*> m_TxtRedditoClienteNumPra;
    QList<QLineEdit*> m_TxtNoteNumPra;
    // Value boxes.
    QList<QLineEdit*> m_TxtRedditoCliente; ///< 6 amounts, two rows of three
    QList<QLineEdit*> m_TxtNota;           ///< 3 notes
    QList<QLabel*> m_Label1;               ///< every caption of the panel

    QCheckBox* m_chkLeggiDaCodiceScarico = nullptr; ///< chkLeggiDaCodiceScarico(0)
    QCheckBox* m_chkOverwrite = nullptr;
    QCheckBox* m_chkSoloTest = nullptr;
    QPushButton* m_Command2 = nullptr;
};

/// A quota preset: the whole part of cases / choices, plus one (so a group's quotas exceed the cases).
QString quotaPreset(qsizetype cases, int choices);
