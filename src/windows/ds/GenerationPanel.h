#pragma once

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

    // Quota boxes: how many cases may receive each value in one run (empty: no limit).
    QList<QLineEdit*> TxtMotivoImpagato;           ///< 9: reasons A to I
    QList<QLineEdit*> TxtSituazioneFamiliare;      ///< 5: A to E
    QList<QLineEdit*> TxtAbitazione;               ///< 4: A to D
    QList<QLineEdit*> TxtTipologiaContratto;       ///< 6: A to F
    QList<QLineEdit*> TxtCapacitaPagareFutureRate; ///< 6: yes, no, then improvement in 1, 3, 6, 12 months
    QList<QLineEdit*> TxtRedditoClienteNumPra;     ///< 6: debtor's salaries, then guarantor's
    QList<QLineEdit*> TxtNoteNumPra;               ///< 3: the notes
    // Value boxes.
    QList<QLineEdit*> TxtRedditoCliente; ///< 6 amounts, two rows of three
    QList<QLineEdit*> TxtNota;           ///< 3 notes
    QList<QLabel*> Label1;               ///< every caption of the panel

    QCheckBox* chkLeggiDaCodiceScarico = nullptr; ///< chkLeggiDaCodiceScarico(0)
    QCheckBox* chkOverwrite = nullptr;
    QCheckBox* chkSoloTest = nullptr;
    QPushButton* Command2 = nullptr;

private:
    QLineEdit* newBox(const QString& array, int index, int width);
    QLabel* newLabel(const QString& text);
    QWidget* choiceGroup(const QString& title, const QStringList& captions, QList<QLineEdit*>& quotas,
                         const QString& arrayName, int firstIndex);
    QWidget* incomeGroup();
    QWidget* notesGroup();
};

/// A quota preset: the whole part of cases / choices, plus one (so a group's quotas exceed the cases).
QString quotaPreset(qsizetype cases, int choices);
