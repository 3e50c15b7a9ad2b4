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
    for (size_t index = 0; index < lblfield.size(); ++index) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblfield_%1").arg(index));
        label->setFrameShape(QFrame::StyledPanel);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setMinimumWidth(60);
        label->installEventFilter(this);
        lblfield[index] = label;
    }
    lblfield[4]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The two discharge codes are edited with a double-click: a hand and a tooltip say so.
    for (const auto& [index, code] : {std::pair{2, "il codice scarico memo"}, std::pair{3, "il codice scarico"}}) {
        QLabel* value = lblfield[size_t(index)];
        value->setTextInteractionFlags(Qt::NoTextInteraction);
        value->setCursor(Qt::PointingHandCursor);
        value->setToolTip(QStringLiteral("Doppio clic per cambiare %1 della pratica").arg(QString::fromUtf8(code)));
    }
    lbSetPraStatus = new QLabel(this);
    lbSetPraStatus->setObjectName(QStringLiteral("lbSetPraStatus"));
    lblDSOBBLIGATORIO = new QLabel(QStringLiteral("Diagnosis Sheet OBBLIGATORIO"), this);
    lblDSOBBLIGATORIO->setObjectName(QStringLiteral("lblDSOBBLIGATORIO"));
    lblDSOBBLIGATORIO->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    lblDSOBBLIGATORIO->setVisible(false);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Scheda_0"));
    m_memo->setReadOnly(true);
    m_memo->setMaximumHeight(90);
    // On the window's own background, as the case's other values: nothing typed here would be kept.
    QPalette readOnly = m_memo->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    m_memo->setPalette(readOnly);
    m_memo->setToolTip(QStringLiteral("Memo della pratica: sola lettura"));

    cboMotivoImpagato = combo("cboMotivoImpagato", SheetFields::motivoImpagatoItems());
    cboSituazioneFamiliare = combo("cboSituazioneFamiliare", SheetFields::situazioneFamiliareItems());
    cboAbitazione = combo("cboAbitazione", SheetFields::abitazioneItems());
    cboTipologiaContratto = combo("cboTipologiaContratto", SheetFields::tipologiaContrattoItems());
    cboCapacitaPagareFutureScadenze = combo("cboCapacitaPagareFutureScadenze", SheetFields::capacitaPagamentoItems());
    for (int index = 1; index <= 10; ++index)
        Scheda[size_t(index)] = box(index);

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
    grid->addWidget(lblfield[0], row, 1, 1, 3);
    grid->addWidget(lblfield[4], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Pratica"), this), row, 0);
    grid->addWidget(lblfield[1], row, 1);
    grid->addWidget(caption(QStringLiteral("Cod.Scar.Memo"), this), row, 2);
    grid->addWidget(lblfield[2], row, 3);
    grid->addWidget(caption(QStringLiteral("Cod.Scarico"), this), row, 4);
    grid->addWidget(lblfield[3], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Data Cod.Scar.Memo"), this), row, 0);
    grid->addWidget(lblfield[5], row, 1);
    grid->addWidget(lblDSOBBLIGATORIO, row, 2, 1, 3);
    grid->addWidget(lbSetPraStatus, row, 5, Qt::AlignRight);
    ++row;
    grid->addWidget(caption(QStringLiteral("Memo"), this), row, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_memo, row, 1, 1, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Motivo Impagato"), this), row, 0);
    grid->addWidget(cboMotivoImpagato, row, 1);
    grid->addWidget(caption(QStringLiteral("Situaz.Familiare"), this), row, 2);
    grid->addWidget(cboSituazioneFamiliare, row, 3);
    ++row;
    grid->addWidget(caption(QStringLiteral("Note"), this), row, 0);
    grid->addWidget(Scheda[1], row, 1, 1, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Abitazione"), this), row, 0);
    grid->addWidget(cboAbitazione, row, 1);
    grid->addWidget(caption(QStringLiteral("Tipologia Contratto"), this), row, 2);
    grid->addWidget(cboTipologiaContratto, row, 3);
    ++row;
    grid->addWidget(caption(QStringLiteral("Note"), this), row, 0);
    grid->addWidget(Scheda[2], row, 1, 1, 5);
    ++row;
    grid->addWidget(caption(QString::fromUtf8("Capacità Pag.Future scadenze"), this), row, 0);
    grid->addWidget(cboCapacitaPagareFutureScadenze, row, 1);
    grid->addWidget(caption(QStringLiteral("Se No, data miglioramento"), this), row, 2);
    grid->addWidget(Scheda[3], row, 3);
    ++row;
    grid->addWidget(caption(QStringLiteral("Cliente Reddito salario"), this), row, 0);
    grid->addWidget(Scheda[4], row, 1);
    grid->addWidget(caption(QStringLiteral("benefits"), this), row, 2);
    grid->addWidget(Scheda[5], row, 3);
    grid->addWidget(caption(QStringLiteral("altro"), this), row, 4);
    grid->addWidget(Scheda[6], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Garante Reddito salario"), this), row, 0);
    grid->addWidget(Scheda[7], row, 1);
    grid->addWidget(caption(QStringLiteral("benefits"), this), row, 2);
    grid->addWidget(Scheda[8], row, 3);
    grid->addWidget(caption(QStringLiteral("altro"), this), row, 4);
    grid->addWidget(Scheda[9], row, 5);
    ++row;
    grid->addWidget(caption(QStringLiteral("Note"), this), row, 0);
    grid->addWidget(Scheda[10], row, 1, 1, 5);
    grid->setRowStretch(row + 1, 1);
}

void SheetEditor::setTabOrder()
{
    // The sheet's fields top to bottom, as the operator fills them in.
    const QList<QWidget*> order = {cboMotivoImpagato,
                                   cboSituazioneFamiliare,
                                   Scheda[1],
                                   cboAbitazione,
                                   cboTipologiaContratto,
                                   Scheda[2],
                                   cboCapacitaPagareFutureScadenze,
                                   Scheda[3],
                                   Scheda[4],
                                   Scheda[5],
                                   Scheda[6],
                                   Scheda[7],
                                   Scheda[8],
                                   Scheda[9],
                                   Scheda[10]};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void SheetEditor::showCase(const CaseDisplay& display)
{
    for (size_t index = 0; index < lblfield.size(); ++index) {
        if (display.fieldCaptions[index])
            lblfield[index]->setText(*display.fieldCaptions[index]);
    }
    lbSetPraStatus->setText(display.position);
    m_memo->setPlainText(display.memo);
    lblDSOBBLIGATORIO->setVisible(display.sheetRequired);
    const QStringList& values = display.sheetValues;
    const QList<QComboBox*> combos = {cboMotivoImpagato, cboSituazioneFamiliare, cboAbitazione, cboTipologiaContratto,
                                      cboCapacitaPagareFutureScadenze};
    // The file order: reason, family, its note, housing, contract, its note, ability, date, six incomes, note.
    const int comboAt[] = {0, 1, 3, 4, 6};
    const int boxAt[] = {2, 5, 7, 8, 9, 10, 11, 12, 13, 14};
    for (int i = 0; i < 5; ++i) {
        combos[i]->setCurrentIndex(-1);
        combos[i]->setEditText(values.value(comboAt[i]));
    }
    for (int i = 0; i < 10; ++i)
        Scheda[size_t(i + 1)]->setText(values.value(boxAt[i]));
}

QStringList SheetEditor::values() const
{
    return {cboMotivoImpagato->currentText(),
            cboSituazioneFamiliare->currentText(),
            Scheda[1]->text(),
            cboAbitazione->currentText(),
            cboTipologiaContratto->currentText(),
            Scheda[2]->text(),
            cboCapacitaPagareFutureScadenze->currentText(),
            Scheda[3]->text(),
            Scheda[4]->text(),
            Scheda[5]->text(),
            Scheda[6]->text(),
            Scheda[7]->text(),
            Scheda[8]->text(),
            Scheda[9]->text(),
            Scheda[10]->text()};
}

void SheetEditor::focusControl(SheetControl control)
{
    QWidget* target = nullptr;
    switch (control) {
    case SheetControl::MotivoImpagato:
        target = cboMotivoImpagato;
        break;
    case SheetControl::SituazioneFamiliare:
        target = cboSituazioneFamiliare;
        break;
    case SheetControl::Abitazione:
        target = cboAbitazione;
        break;
    case SheetControl::TipologiaContratto:
        target = cboTipologiaContratto;
        break;
    case SheetControl::CapacitaPagamento:
        target = cboCapacitaPagareFutureScadenze;
        break;
    case SheetControl::DataMiglioramento:
        target = Scheda[3];
        break;
    case SheetControl::RedditoCliente:
        target = Scheda[4];
        break;
    case SheetControl::None:
        break;
    }
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

QString SheetEditor::fieldCaption(int index) const
{
    return index >= 0 && index < int(lblfield.size()) ? lblfield[size_t(index)]->text() : QString();
}

bool SheetEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (size_t index = 0; index < lblfield.size(); ++index) {
            if (watched == lblfield[index]) {
                Q_EMIT fieldDoubleClicked(int(index));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
