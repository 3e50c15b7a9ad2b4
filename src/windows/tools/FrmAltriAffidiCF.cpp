#include "windows/tools/FrmAltriAffidiCF.h"

#include "launcher/ModuloCommand.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

FrmAltriAffidiCF::FrmAltriAffidiCF(ModuloCommand& module, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_lookup(module, dialogs, *this, [] { QCoreApplication::processEvents(); })
{
    setObjectName(QStringLiteral("FrmAltriAffidiCF"));
    setWindowTitle(QStringLiteral("FrmAltriAffidiCF"));
    m_List1 = new QListWidget(this);
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List1->setUniformItemSizes(true);
    m_List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setVisible(false);
    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto* buttons = new QHBoxLayout;
    // Left to right "Stampa", "Interrompi", "&Elabora": the array's indexes run the other way.
    const char* captions[] = {"&Elabora", "Interrompi", "Stampa"};
    using Button = OtherConsignments::Button;
    for (int index : {int(Button::Stampa), int(Button::Interrompi), int(Button::Elabora)}) {
        auto* button = new QPushButton(QString::fromUtf8(captions[index]), this);
        button->setObjectName(QStringLiteral("CmdElabora_%1").arg(index));
        connect(button, &QPushButton::clicked, this, [this, index] { CmdElabora_Click(index); });
        buttons->addWidget(button);
        m_CmdElabora[size_t(index)] = button;
    }
    m_CmdElabora[size_t(OtherConsignments::Button::Interrompi)]->setEnabled(false);
    m_CmdElabora[size_t(OtherConsignments::Button::Stampa)]->setEnabled(false);
    buttons->addWidget(m_progress, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_List1, 1);
    layout->addWidget(m_lblStatus);
    layout->addLayout(buttons);
    resize(760, 480);
}

std::unique_ptr<FrmAltriAffidiCF> FrmAltriAffidiCF::open(ModuloCommand& module, Dialogs& dialogs,
                                                         const Dispatch& dispatch)
{
    auto window = std::make_unique<FrmAltriAffidiCF>(module, dialogs);
    window->params() = dispatch.params;
    window->show();
    return window;
}

void FrmAltriAffidiCF::CmdElabora_Click(int index)
{
    if (OtherConsignments::Button(index) != OtherConsignments::Button::Elabora) {
        m_lookup.CmdElabora_Click(index);
        return;
    }
    const OtherConsignments::RunOutcome outcome = m_lookup.Elabora();
    // The list is never cleared and the window serves one run: what it holds is what the run found.
    const int found = m_List1->count();
    m_lblStatus->setText(
        QStringLiteral("Elaborazione %1: %2")
            .arg(outcome == OtherConsignments::RunOutcome::Completed ? QStringLiteral("conclusa")
                                                                     : QStringLiteral("interrotta"),
                 found == 1 ? QStringLiteral("1 riga trovata") : QStringLiteral("%1 righe trovate").arg(found)));
}

void FrmAltriAffidiCF::closeEvent(QCloseEvent* event)
{
    m_lookup.requestStop();
    QWidget::closeEvent(event);
}

void FrmAltriAffidiCF::setCaption(const QString& text)
{
    setWindowTitle(text);
}

void FrmAltriAffidiCF::addLine(const QString& line)
{
    m_List1->addItem(line);
}

void FrmAltriAffidiCF::setRunEnabled(bool enabled)
{
    m_CmdElabora[size_t(OtherConsignments::Button::Elabora)]->setEnabled(enabled);
}

void FrmAltriAffidiCF::setStopEnabled(bool enabled)
{
    m_CmdElabora[size_t(OtherConsignments::Button::Interrompi)]->setEnabled(enabled);
}

void FrmAltriAffidiCF::showProgress(qsizetype done, qsizetype total)
{
    m_progress->setVisible(done >= 0);
    if (done < 0)
        return;
    m_progress->setMaximum(int(total));
    m_progress->setValue(int(std::min(done, total)));
}
