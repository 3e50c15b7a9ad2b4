#include "windows/tools/Frm_EXP_AGGCMP.h"

#include "launcher/ExitStatus.h"
#include "launcher/ModuloCommand.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

Frm_EXP_AGGCMP::Frm_EXP_AGGCMP(ModuloCommand& module, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_export(module, dialogs, *this, [] { QCoreApplication::processEvents(); })
{
    setObjectName(QStringLiteral("Frm_EXP_AGGCMP"));
    setWindowTitle(QStringLiteral("Frm_EXP_AGGCMP"));
    m_lblData1 = new QLabel(this);
    m_lblData1->setObjectName(QStringLiteral("lblData1"));
    m_lblData1->setMinimumWidth(240);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblData1);
    layout->addWidget(m_progress);
    layout->addStretch(1);
    m_endProgram = [this] {
        close();
        QCoreApplication::exit(ExitDone);
    };
}

Frm_EXP_AGGCMP::~Frm_EXP_AGGCMP() = default;

std::unique_ptr<Frm_EXP_AGGCMP> Frm_EXP_AGGCMP::open(ModuloCommand& module, Dialogs& dialogs, const Dispatch& dispatch)
{
    auto window = std::make_unique<Frm_EXP_AGGCMP>(module, dialogs);
    window->params() = dispatch.params;
    window->show();
    if (dispatch.runInizia)
        QTimer::singleShot(0, window.get(), &Frm_EXP_AGGCMP::Inizia);
    return window;
}

void Frm_EXP_AGGCMP::Inizia()
{
    if (m_export.Inizia() == ContactsExport::Outcome::Exported && m_endProgram)
        m_endProgram();
}

void Frm_EXP_AGGCMP::setProgressText(const QString& text)
{
    m_lblData1->setText(text);
}

void Frm_EXP_AGGCMP::showProgress(qsizetype done, qsizetype total)
{
    m_progress->setVisible(done >= 0);
    if (done < 0)
        return;
    m_progress->setMaximum(int(total));
    m_progress->setValue(int(std::min(done, total)));
}

void Frm_EXP_AGGCMP::setBusy(bool busy)
{
    m_busy.set(busy);
}
