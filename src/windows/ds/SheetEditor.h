#pragma once

#include "ds/CaseDisplay.h"
#include "ds/SheetCheck.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

/// The current case and its Diagnosis Sheet in the "Dati Pratiche" frame: the case's fields
/// (read-only labels), its memo, the "Diagnosis Sheet OBBLIGATORIO" indicator and the sheet's
/// combos and boxes, which the operator fills in.
class SheetEditor : public QWidget {
    Q_OBJECT
public:
    explicit SheetEditor(QWidget* parent = nullptr);

    /// Shows a case (DumpPratica's result).
    void showCase(const CaseDisplay& display);
    /// Shows sheet values (15, in file order) in the combos and boxes.
    void showSheet(const QStringList& values);
    /// The 15 values of the sheet as the editor holds them, in file order.
    QStringList values() const;
    void focusControl(SheetControl control);

    /// The caption of lblfield(index).
    QString fieldCaption(int index) const;

Q_SIGNALS:
    /// A double-click on the label lblfield(index).
    void fieldDoubleClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* combo(const char* name, const QStringList& items);
    QLineEdit* box(int index);
    void buildLayout();
    void setTabOrder();

    QComboBox* m_cboMotivoImpagato = nullptr;
    QComboBox* m_cboSituazioneFamiliare = nullptr;
    QComboBox* m_cboAbitazione = nullptr;
    QComboBox* m_cboTipologiaContratto = nullptr;
    QComboBox* m_cboCapacitaPagareFutureScadenze = nullptr;
    std::array<QLineEdit*, 11> m_Scheda{}; ///< 1 to 10 are the sheet's boxes; 0 is replaced by the memo
    std::array<QLabel*, 6> m_lblfield{};
    QLabel* m_lbSetPraStatus = nullptr;
    QLabel* m_lblDSOBBLIGATORIO = nullptr;
    QPlainTextEdit* m_memo = nullptr; ///< Scheda(0), "Memo": shown, never saved
};
