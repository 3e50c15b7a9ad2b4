#include "windows/ds/SheetEditor.h"

#include "ds/SheetFields.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

SheetEditor::SheetEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SheetEditor"));
    for (size_t index = 0; index < m_lblfield.size(); ++index) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblfield_%1").arg(index));
        label->setFrameShape(QFrame::StyledPanel);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setMinimumWidth(60);
        label->installEventFilter(this);
        m_lblfield[index] = label;
    }
    m_lblfield[4]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The two discharge codes are edited with a double-click: a hand and a tooltip say so.
    for (const auto& [index, code] : {std::pair{2, "il codice scarico memo"}, std::pair{3, "il codice scarico"}}) {
        QLabel* value = m_lblfield[size_t(index)];
        value->setTextInteractionFlags(Qt::NoTextInteraction);
        value->setCursor(Qt::PointingHandCursor);
        value->setToolTip(QStringLiteral("Doppio clic per cambiare %1 della pratica").arg(QString::fromUtf8(code)));
    }
    m_lbSetPraStatus = new QLabel(this);
    m_lbSetPraStatus->setObjectName(QStringLiteral("lbSetPraStatus"));
    m_lblDSOBBLIGATORIO = new QLabel(QStringLiteral("Diagnosis Sheet OBBLIGATORIO"), this);
    m_lblDSOBBLIGATORIO->setObjectName(QStringLiteral("lblDSOBBLIGATORIO"));
    m_lblDSOBBLIGATORIO->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    m_lblDSOBBLIGATORIO->setVisible(false);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Scheda_0"));
    m_memo->setReadOnly(true);
    m_memo->setMaximumHeight(90);
    // On the window's own background, as the case's other values: nothing typed here would be kept.
    QPalette readOnly = m_memo->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    m_memo->setPalette(readOnly);
    m_memo->setToolTip(QStringLiteral("Memo della pratica: sola lettura"));

    m_cboMotivoImpagato = combo("cboMotivoImpagato", SheetFields::motivoImpagatoItems());
    m_cboSituazioneFamiliare = combo("cboSituazioneFamiliare", SheetFields::situazioneFamiliareItems());
    m_cboAbitazione = combo("cboAbitazione", SheetFields::abitazioneItems());
    m_cboTipologiaContratto = combo("cboTipologiaContratto", SheetFields::tipologiaContrattoItems());
    m_cboCapacitaPagareFutureScadenze = combo("cboCapacitaPagareFutureScadenze", SheetFields::capacitaPagamentoItems());
    for (int index = 1; index <= 10; ++index)
        m_Scheda[size_t(index)] = box(index);

    buildLayout();
    setTabOrder();
}

QComboBox* SheetEditor::combo(const char* name, const QStringList& items)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    return combo;
}

QLineEdit* SheetEditor::box(int index)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Scheda_%1").arg(index));
    return edit;
}

void SheetEditor::buildLayout()
{
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    int row = 0;
    grid->addWidget(caption(QStringLiteral("Nominativo"), this), row, 0);
    grid->addWidget(m_lblfield[0], row, 1, 1, 3);
    grid->addWidget(m_lblfield[4], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Pratica"), this), row, 0);
    grid->addWidget(m_lblfield[1], row, 1);
    grid->addWidget(caption(QStringLiteral("Cod.Scar.Memo"), this), row, 2);
    grid->addWidget(m_lblfield[2], row, 3);
    grid->addWidget(caption(QStringLiteral("Cod.Scarico"), this), row, 4);
    grid->addWidget(m_lblfield[3], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Data Cod.Scar.Memo"), this), row, 0);
    grid->addWidget(m_lblfield[5], row, 1);
    grid->addWidget(m_lblDSOBBLIGATORIO, row, 2, 1, 3);
    grid->addWidget(m_lbSetPraStatus, row, 5, Qt::AlignRight);
    ++row;
    grid->addWidget(caption(QStringLiteral("Memo"), this), row, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_memo, row, 1, 1, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Motivo Impagato"), this), row, 0);
    grid->addWidget(m_cboMotivoImpagato, row, 1);
    grid->addWidget(caption(QStringLiteral("Situaz.Familiare"), this), row, 2);
    grid->addWidget(m_cboSituazioneFamiliare, row, 3);
    ++row;
    grid->addWidget(caption(QStringLiteral("Note"), this), row, 0);
    grid->addWidget(m_Scheda[1], row, 1, 1, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Abitazione"), this), row, 0);
    grid->addWidget(m_cboAbitazione, row, 1);
    grid->addWidget(caption(QStringLiteral("Tipologia Contratto"), this), row, 2);
    grid->addWidget(m_cboTipologiaContratto, row, 3);
    ++row;
    grid->addWidget(caption(QStringLiteral("Note"), this), row, 0);
    grid->addWidget(m_Scheda[2], row, 1, 1, 5);
    ++row;
    grid->addWidget(caption(QString::fromUtf8("Capacità Pag.Future scadenze"), this), row, 0);
    grid->addWidget(m_cboCapacitaPagareFutureScadenze, row, 1);
    grid->addWidget(caption(QStringLiteral("Se No, data miglioramento"), this), row, 2);
    grid->addWidget(m_Scheda[3], row, 3);
    ++row;
    grid->addWidget(caption(QStringLiteral("Cliente Reddito salario"), this), row, 0);
    grid->addWidget(m_Scheda[4], row, 1);
    grid->addWidget(caption(QStringLiteral("benefits"), this), row, 2);
    grid->addWidget(m_Scheda[5], row, 3);
    grid->addWidget(caption(QStringLiteral("altro"), this), row, 4);
    grid->addWidget(m_Scheda[6], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Garante Reddito salario"), this), row, 0);
    grid->addWidget(m_Scheda[7], row, 1);
    grid->addWidget(caption(QStringLiteral("benefits"), this), row, 2);
    grid->addWidget(m_Scheda[8], row, 3);
    grid->addWidget(caption(QStringLiteral("altro"), this), row, 4);
    grid->addWidget(m_Scheda[9], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Note"), this), row, 0);
    grid->addWidget(m_Scheda[10], row, 1, 1, 5);
    grid->setRowStretch(row + 1, 1);
}

void SheetEditor::setTabOrder()
{
    // The sheet's fields top to bottom, as the operator fills them in.
    const QList<QWidget*> order = {m_cboMotivoImpagato,
                                   m_cboSituazioneFamiliare,
                                   m_Scheda[1],
                                   m_cboAbitazione,
                                   m_cboTipologiaContratto,
                                   m_Scheda[2],
                                   m_cboCapacitaPagareFutureScadenze,
                                   m_Scheda[3],
                                   m_Scheda[4],
                                   m_Scheda[5],
                                   m_Scheda[6],
                                   m_Scheda[7],
                                   m_Scheda[8],
                                   m_Scheda[9],
                                   m_Scheda[10]};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void SheetEditor::showCase(const CaseDisplay& display)
{
    for (size_t index = 0; index < m_lblfield.size(); ++index) {
        if (display.fieldCaptions[index])
            m_lblfield[index]->setText(*display.fieldCaptions[index]);
    }
    m_lbSetPraStatus->setText(display.position);
    m_memo->setPlainText(display.memo);
    m_lblDSOBBLIGATORIO->setVisible(display.sheetRequired);
    showSheet(display.sheetValues);
}

void SheetEditor::showSheet(const QStringList& values)
{
    const QList<QComboBox*> combos = {m_cboMotivoImpagato, m_cboSituazioneFamiliare, m_cboAbitazione,
                                      m_cboTipologiaContratto, m_cboCapacitaPagareFutureScadenze};
    // The file order: reason, family, its note, housing, contract, its note, ability, date, six incomes, note.
    const int comboAt[] = {0, 1, 3, 4, 6};
    const int boxAt[] = {2, 5, 7, 8, 9, 10, 11, 12, 13, 14};
    for (int i = 0; i < 5; ++i) {
        combos[i]->setCurrentIndex(-1);
        combos[i]->setEditText(values.value(comboAt[i]));
    }
    for (int i = 0; i < 10; ++i)
        m_Scheda[size_t(i + 1)]->setText(values.value(boxAt[i]));
}

QStringList SheetEditor::values() const
{
    return {m_cboMotivoImpagato->currentText(),
            m_cboSituazioneFamiliare->currentText(),
            m_Scheda[1]->text(),
            m_cboAbitazione->currentText(),
            m_cboTipologiaContratto->currentText(),
            m_Scheda[2]->text(),
            m_cboCapacitaPagareFutureScadenze->currentText(),
            m_Scheda[3]->text(),
            m_Scheda[4]->text(),
            m_Scheda[5]->text(),
            m_Scheda[6]->text(),
            m_Scheda[7]->text(),
            m_Scheda[8]->text(),
            m_Scheda[9]->text(),
            m_Scheda[10]->text()};
}

void SheetEditor::focusControl(SheetControl control)
{
    QWidget* target = nullptr;
    switch (control) {
    case SheetControl::MotivoImpagato:
        target = m_cboMotivoImpagato;
        break;
    case SheetControl::SituazioneFamiliare:
        target = m_cboSituazioneFamiliare;
        break;
    case SheetControl::Abitazione:
        target = m_cboAbitazione;
        break;
    case SheetControl::TipologiaContratto:
        target = m_cboTipologiaContratto;
        break;
    case SheetControl::CapacitaPagamento:
        target = m_cboCapacitaPagareFutureScadenze;
        break;
    case SheetControl::DataMiglioramento:
        target = m_Scheda[3];
        break;
    case SheetControl::RedditoCliente:
        target = m_Scheda[4];
        break;
    case SheetControl::None:
        break;
    }
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

QString SheetEditor::fieldCaption(int index) const
{
    return index >= 0 && index < int(m_lblfield.size()) ? m_lblfield[size_t(index)]->text() : QString();
}

bool SheetEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (size_t index = 0; index < m_lblfield.size(); ++index) {
            if (watched == m_lblfield[index]) {
                Q_EMIT fieldDoubleClicked(int(index));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
