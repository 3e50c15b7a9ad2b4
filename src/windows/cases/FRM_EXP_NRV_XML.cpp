#include "windows/cases/FRM_EXP_NRV_XML.h"

#include "ds/CaseDisplay.h"
#include "flow/FlowExport.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Dialogs.h"
#include "foundation/ports/Random.h"
#include "launcher/ExitStatus.h"
#include "launcher/ModuloCommand.h"
#include "launcher/SheetFolderCheck.h"
#include "launcher/StartUp.h"
#include "windows/cases/CaseListModel.h"
#include "windows/cases/NavigationKeys.h"
#include "windows/ds/GenerationPanel.h"
#include "windows/ds/SheetEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

struct CommandButton {
    const char* caption;
    QKeySequence shortcut;
    const char* toolTip;
};

const QString PratichePanelCaption = QStringLiteral("Genera &Diag.Sh.  con Causali");
const QString GenerationPanelCaption = QStringLiteral("&Pratiche");

/// How often long work lets the window repaint: often enough for the operator, seldom enough to cost little.
constexpr qint64 RepaintMs = 40;

/// Lets the window process its events during long work, at most every 40 ms: often enough for it to
/// repaint and to take a click on "Interrompi", seldom enough that a walk over thousands of cases
/// does not spend its time repainting each one.
EventPump throttledEventPump()
{
    auto last = std::make_shared<QElapsedTimer>();
    return [last] {
        if (last->isValid() && last->elapsed() < RepaintMs)
            return;
        QCoreApplication::processEvents();
        last->start();
    };
}

} // namespace

FRM_EXP_NRV_XML::FRM_EXP_NRV_XML(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, Random& random,
                                 QWidget* parent)
    : QWidget(parent), m_module(module), m_dialogs(dialogs), m_clock(clock), m_random(random),
      m_cases(module, dialogs, *this), m_pump(throttledEventPump())
{
    setObjectName(QStringLiteral("FRM_EXP_NRV_XML"));
    setWindowTitle(QStringLiteral("Esportazione Norvanta XML"));

    m_TxtSql = new QLineEdit(QStringLiteral("Text1"), this);
    m_TxtSql->setObjectName(QStringLiteral("TxtSql"));

    m_Frame1 = new QGroupBox(QStringLiteral("Diagnosis Sheet"), this);
    m_Frame1->setObjectName(QStringLiteral("Frame1"));
    m_generation = new GenerationPanel(m_Frame1);
    auto* generationLayout = new QVBoxLayout(m_Frame1);
    generationLayout->addWidget(m_generation);
    m_panels = new QStackedWidget(this);
    m_panels->addWidget(m_Frame1);
    m_panels->addWidget(buildFramePratiche());

    m_cmdPratiche = new QPushButton(GenerationPanelCaption, this);
    m_cmdPratiche->setObjectName(QStringLiteral("cmdPratiche"));
    // As wide as its longer caption, so that "Esporta" and the status line stay where they are when it changes.
    const int narrowWidth = m_cmdPratiche->sizeHint().width();
    m_cmdPratiche->setText(PratichePanelCaption);
    m_cmdPratiche->setMinimumWidth(std::max(narrowWidth, m_cmdPratiche->sizeHint().width()));
    m_cmdPratiche->setText(GenerationPanelCaption);
    m_CmdEsporta = new QPushButton(QStringLiteral("&Esporta"), this);
    m_CmdEsporta->setObjectName(QStringLiteral("CmdEsporta"));
    m_CmdEsporta->setEnabled(false);
    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setVisible(false);
    // Wide enough for the case that a generation is on, as its label names it.
    m_progress->setMinimumWidth(360);
    m_progress->setMaximumWidth(420);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_cmdPratiche);
    bottom->addWidget(m_CmdEsporta);
    bottom->addWidget(m_lblStatus, 1);
    bottom->addWidget(m_progress);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_TxtSql);
    layout->addWidget(m_panels, 1);
    layout->addLayout(bottom);

    connect(m_cmdPratiche, &QPushButton::clicked, this, &FRM_EXP_NRV_XML::cmdPratiche_Click);
    connect(m_CmdEsporta, &QPushButton::clicked, this, &FRM_EXP_NRV_XML::CmdEsporta_Click);
    connect(m_Command1, &QPushButton::clicked, this, &FRM_EXP_NRV_XML::Command1_Click);
    connect(m_generation, &GenerationPanel::soloTestClicked, this, &FRM_EXP_NRV_XML::chkSoloTest_Click);
    connect(m_generation, &GenerationPanel::soloTestToggled, m_lblSoloTest, &QLabel::setVisible);
    connect(m_generation, &GenerationPanel::generateClicked, this, &FRM_EXP_NRV_XML::Command2_Click);
    connect(m_editor, &SheetEditor::fieldDoubleClicked, this, &FRM_EXP_NRV_XML::lblfield_DblClick);
    // Enter on a line opens its case as a double-click does.
    connect(m_List1, &QListView::activated, this, &FRM_EXP_NRV_XML::List1_DblClick);
    resize(1100, 720);
}

FRM_EXP_NRV_XML::~FRM_EXP_NRV_XML() = default;

QWidget* FRM_EXP_NRV_XML::buildFramePratiche()
{
    m_FramePratiche = new QGroupBox(QStringLiteral("Dati Pratiche"), this);
    m_FramePratiche->setObjectName(QStringLiteral("FramePratiche"));
    m_FramePratiche->setVisible(false);

    m_listModel = new CaseListModel(this);
    m_List1 = new QListView(m_FramePratiche);
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List1->setModel(m_listModel);
    // Every line has the same height: the view then lays out a long list without measuring each line.
    m_List1->setUniformItemSizes(true);
    // Only the check marks lines (those it has checked); a click just points at a line, to open it.
    m_List1->setSelectionMode(QAbstractItemView::NoSelection);
    m_List1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_Command1 = new QPushButton(QStringLiteral("&Interrompi"), m_FramePratiche);
    m_Command1->setObjectName(QStringLiteral("Command1"));
    m_Command1->setVisible(false);

    m_lblSoloTest =
        new QLabel(QStringLiteral("Solo Test (NON SALVA): nessuna Diagnosis Sheet viene salvata, né scritta "
                                  "a mano né generata."),
                   m_FramePratiche);
    m_lblSoloTest->setObjectName(QStringLiteral("lblSoloTest"));
    m_lblSoloTest->setStyleSheet(
        QStringLiteral("background: #b00000; color: white; font-weight: bold; padding: 4px; border-radius: 3px;"));
    m_lblSoloTest->setVisible(false);

    m_editor = new SheetEditor(m_FramePratiche);

    auto* cases = new QHBoxLayout;
    cases->addWidget(m_List1, 2);
    cases->addWidget(m_editor, 5);
    auto* layout = new QVBoxLayout(m_FramePratiche);
    layout->addWidget(m_lblSoloTest);
    layout->addLayout(cases, 1);
    layout->addWidget(buildCommandRow());
    return m_FramePratiche;
}

QWidget* FRM_EXP_NRV_XML::buildCommandRow()
{
    const CommandButton buttons[] = {
        {"<<", QKeySequence(Qt::CTRL | Qt::Key_Home), "Prima pratica"},
        {"<", QKeySequence(Qt::CTRL | Qt::Key_PageUp), "Pratica precedente"},
        {">", QKeySequence(Qt::CTRL | Qt::Key_PageDown), "Pratica successiva"},
        {">>", QKeySequence(Qt::CTRL | Qt::Key_End), "Ultima pratica"},
        {"chiudi", QKeySequence(), nullptr},
        {"&Controlla Dati", QKeySequence(), nullptr},
        {"&Rileggi Pratiche", QKeySequence(), nullptr},
    };
    auto* row = new QWidget(m_FramePratiche);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QList<NavigationKeys::Binding> keys;
    for (int index = 0; index < int(m_cmdComandi.size()); ++index) {
        auto* button = new QPushButton(QString::fromUtf8(buttons[index].caption), row);
        button->setObjectName(QStringLiteral("cmdComandi_%1").arg(index));
        if (!buttons[index].shortcut.isEmpty()) {
            keys.append({buttons[index].shortcut, button});
            button->setToolTip(QStringLiteral("%1 (%2)").arg(
                QString::fromUtf8(buttons[index].toolTip), buttons[index].shortcut.toString(QKeySequence::NativeText)));
        }
        connect(button, &QPushButton::clicked, this, [this, index] { cmdComandi_Click(index); });
        layout->addWidget(button);
        m_cmdComandi[size_t(index)] = button;
    }
    new NavigationKeys(m_FramePratiche, keys);
    // "chiudi" is there but never shown.
    m_cmdComandi[Chiudi]->setVisible(false);
    layout->addStretch(1);
    layout->addWidget(m_Command1);
    return row;
}

bool FRM_EXP_NRV_XML::Form_Load(const QString& line)
{
    if (!checkSheetFolder(m_dialogs))
        return false;

    const Dispatch dispatch = m_module.EseguiComando(ToolRequest{5001, QString()}, lineOrTestLine(line, m_clock));
    switch (dispatch.kind) {
    case Dispatch::Kind::Listing:
    case Dispatch::Kind::Stopped:
        // No tool starts: the window opens with an empty case list, and says why.
        m_dialogs.message(dispatch.text);
        break;
    case Dispatch::Kind::OpenWindow:
        // The selection of the suite's filter takes the place of the empty one the window was made with.
        m_cases = CaseSelection(m_module, m_dialogs, *this, dispatch.params, [this] { pumpEvents(); });
        show();
        if (!m_cases.Inizia())
            return false;
        break;
    }

    cmdPratiche_Click();
    show();
    m_random.seed(quint64(m_clock.now().toMSecsSinceEpoch()));
    return true;
}

void FRM_EXP_NRV_XML::cmdPratiche_Click()
{
    const bool showCases = m_panels->currentWidget() != m_FramePratiche;
    showPanel(showCases);
    if (showCases)
        DumpPratica();
}

void FRM_EXP_NRV_XML::showPanel(bool cases)
{
    m_FramePratiche->setVisible(cases);
    if (cases) {
        m_panels->setCurrentWidget(m_FramePratiche);
        m_cmdPratiche->setText(PratichePanelCaption);
        m_cmdPratiche->setVisible(true);
    } else {
        m_panels->setCurrentWidget(m_Frame1);
        m_cmdPratiche->setText(GenerationPanelCaption);
    }
}

void FRM_EXP_NRV_XML::cmdComandi_Click(int index)
{
    db::Recordset& pratiche = m_cases.pratiche();
    if (pratiche.recordCount() == 0)
        return;
    if (!pratiche.bof() && !pratiche.eof()) {
        const Result<qint32> shown = pratiche.wholeNumber(QStringLiteral("contatore"));
        // A sheet that cannot be saved keeps the window on its case, so the operator's work is not lost.
        if (shown && m_sheetShown == *shown && !SalvaDS(*shown))
            return;
    }
    // A move fails only past an end of the list, where DumpPratica shows the case at that end: what the button asks.
    switch (index) {
    case Primo:
        static_cast<void>(pratiche.moveFirst());
        DumpPratica();
        break;
    case Precedente:
        static_cast<void>(pratiche.movePrevious());
        DumpPratica();
        break;
    case Successivo:
        static_cast<void>(pratiche.moveNext());
        DumpPratica();
        break;
    case Ultimo:
        static_cast<void>(pratiche.moveLast());
        DumpPratica();
        break;
    case Chiudi:
        m_FramePratiche->setVisible(false);
        break;
    case ControllaDati:
        CheckTutteLePratiche(pratiche, m_sheets, m_clock.today(), *this, m_dialogs,
                             [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
        // A check that passes comes back to the case it started from.
        followCase();
        break;
    case RileggiPratiche:
        if (!m_cases.Inizia()) {
            endProgram();
            return;
        }
        if (pratiche.recordCount() != 0) {
            static_cast<void>(pratiche.moveFirst()); // cannot fail
            DumpPratica();
        }
        break;
    default:
        break;
    }
}

bool FRM_EXP_NRV_XML::SalvaDS(qint32 contatore)
{
    const Status saved = m_sheets.SalvaDS(contatore, m_editor->values(), m_clock.now(), m_generation->soloTest());
    if (!saved)
        m_dialogs.message(saved.errorText(), Dialogs::Icon::Critical);
    return saved.ok();
}

void FRM_EXP_NRV_XML::DumpPratica()
{
    displayCase(true);
}

void FRM_EXP_NRV_XML::displayCase(bool tellFailure)
{
    const Result<std::optional<CaseDisplay>> display =
        ::DumpPratica(m_cases.pratiche(), m_sheets, m_module.ModoAccess());
    if (!display) {
        // The editor still holds another case's values: they are never to be saved as this case's sheet.
        m_sheetShown.reset();
        if (tellFailure)
            m_dialogs.message(display.errorText(), Dialogs::Icon::Critical);
        return;
    }
    if (display.value()) {
        m_editor->showCase(**display);
        m_sheetShown = (*display)->contatore;
        followCase();
    }
}

void FRM_EXP_NRV_XML::followCase()
{
    const db::Recordset& pratiche = m_cases.pratiche();
    if (pratiche.bof() || pratiche.eof())
        return;
    // Lines and cases pair by position.
    const QModelIndex line = m_listModel->index(int(pratiche.absolutePosition() - 1));
    if (!line.isValid())
        return;
    m_listModel->setShownRow(line.row());
    m_List1->selectionModel()->setCurrentIndex(line, QItemSelectionModel::NoUpdate);
    m_List1->scrollTo(line);
}

void FRM_EXP_NRV_XML::List1_DblClick()
{
    const QModelIndex line = m_List1->currentIndex();
    if (!line.isValid() || m_cases.pratiche().recordCount() == 0)
        return;
    db::Recordset& pratiche = m_cases.pratiche();
    static_cast<void>(pratiche.moveFirst()); // cannot fail
    // The search fails only when the cases have no contatore field: DumpPratica, reading that field, tells it.
    static_cast<void>(pratiche.find(QStringLiteral("contatore"), m_listModel->contatoreAt(line.row())));
    DumpPratica();
}

void FRM_EXP_NRV_XML::lblfield_DblClick(int index)
{
    const QString tag = CaseDisplay::fieldTags()[size_t(index)].toLower();
    if (tag != QLatin1String("codicescaricomemo") && tag != QLatin1String("codice scarico"))
        return;
    db::Recordset& pratiche = m_cases.pratiche();
    if (pratiche.bof() || pratiche.eof())
        return;
    const QString current = m_editor->fieldCaption(index);
    const std::optional<QString> answer = m_dialogs.input(QStringLiteral("Valore per campo ") + tag, current);
    // A cancelled prompt changes nothing; an answer differing only in letter case neither.
    if (!answer || answer->toLower() == current.toLower())
        return;
    Status written = pratiche.setField(tag, *answer);
    if (written)
        written = pratiche.update();
    if (!written)
        m_dialogs.message(QStringLiteral("Il campo %1 non è stato aggiornato: %2").arg(tag, written.errorText()),
                          Dialogs::Icon::Critical);
    DumpPratica();
}

void FRM_EXP_NRV_XML::CmdEsporta_Click()
{
    EsportaFlusso();
}

void FRM_EXP_NRV_XML::EsportaFlusso()
{
    FlowExport exporter(m_module.Connessione(), m_module.ModoAccess(), m_sheets, m_dialogs, m_clock, m_random);
    // The window repaints during the export but takes no clicks: a command could move the list under it.
    exporter.setEventPump([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    exporter.setProgress([this](qsizetype done, qsizetype total) {
        setStatus(QStringLiteral("%1/%2").arg(done).arg(total));
        showProgress(done, total);
    });
    m_CmdEsporta->setEnabled(false);
    // The export has told the operator how it ended; the window has nothing to add.
    static_cast<void>(exporter.EsportaFlusso(m_cases.pratiche()));
    m_CmdEsporta->setEnabled(true);
    showProgress(-1, 0);
}

void FRM_EXP_NRV_XML::Command1_Click()
{
    m_stop = true;
}

void FRM_EXP_NRV_XML::Command2_Click()
{
    SheetGenerator generator(m_generation->settings(), m_cases.pratiche(), m_sheets, m_clock, m_random, m_dialogs,
                             *this);
    if (!generator.run())
        return;
    showProgress(-1, 0);
    m_Command1->setVisible(false);
    m_generation->showCounts(generator.quotas());
    // The list stays on the last case worked, shown with the values the run gave it (saved nowhere in test mode).
    DumpPratica();
    if (generator.currentSheet())
        m_editor->showSheet(*generator.currentSheet());
}

void FRM_EXP_NRV_XML::generationStarts()
{
    m_stop = false;
    m_Command1->setVisible(true);
    m_generation->showCounts({});
    showPanel(true);
    m_generationShown.invalidate();
}

void FRM_EXP_NRV_XML::showCase(qsizetype position, qsizetype total, const QString& caseText,
                               const GenerationQuotas& quotas)
{
    m_generationCase = {position, total, caseText, quotas};
    // Every case would cost a repaint of its own: a walk over thousands of cases shows one every 40 ms.
    if (!m_generationShown.isValid() || m_generationShown.elapsed() >= RepaintMs)
        showGenerationCase();
}

void FRM_EXP_NRV_XML::showGenerationCase()
{
    showCaseProgress(m_generationCase.position, m_generationCase.total, m_generationCase.text);
    m_generation->showCounts(m_generationCase.quotas);
    // A case whose sheet cannot be read stops the run, which says why.
    if (!m_cases.pratiche().bof() && !m_cases.pratiche().eof())
        displayCase(false);
    m_generationShown.start();
}

void FRM_EXP_NRV_XML::showStoppedCase()
{
    showGenerationCase();
}

void FRM_EXP_NRV_XML::showQuotasUsedUp(const QString& group)
{
    m_statusBeforeWait = m_lblStatus->text();
    setStatus(QStringLiteral("Quote esaurite in \"%1\": alzare una quota o premere Interrompi").arg(group));
    // The operator is to see the case the run waits on.
    showGenerationCase();
}

void FRM_EXP_NRV_XML::quotasAvailableAgain()
{
    setStatus(m_statusBeforeWait);
}

QList<Quota> FRM_EXP_NRV_XML::quotasNow(QuotaArray array)
{
    return m_generation->quotas(array);
}

void FRM_EXP_NRV_XML::pumpEvents()
{
    if (m_pump)
        m_pump();
}

void FRM_EXP_NRV_XML::chkSoloTest_Click()
{
    if (m_generation->soloTest())
        m_generation->applyPresets(m_cases.pratiche().recordCount());
}

void FRM_EXP_NRV_XML::markCheckedRows(qsizetype currentRow)
{
    QItemSelectionModel* selection = m_List1->selectionModel();
    const int rows = m_listModel->rowCount();
    if (rows == 0)
        return;
    const int current = int(std::min<qsizetype>(currentRow, rows - 1));
    const int lastSelected = currentRow >= rows ? rows - 1 : current - 1;
    // One range for all the rows checked so far: selecting them one by one would cost a range each.
    if (lastSelected >= 0)
        selection->select(QItemSelection(m_listModel->index(0), m_listModel->index(lastSelected)),
                          QItemSelectionModel::Select);
    if (currentRow < rows)
        selection->select(m_listModel->index(current), QItemSelectionModel::Deselect);
}

void FRM_EXP_NRV_XML::showCurrentCase()
{
    DumpPratica();
}

void FRM_EXP_NRV_XML::focusControl(SheetControl control)
{
    m_editor->focusControl(control);
}

void FRM_EXP_NRV_XML::enableEsporta()
{
    m_CmdEsporta->setEnabled(true);
}

void FRM_EXP_NRV_XML::showCheckProgress(qsizetype done, qsizetype total)
{
    showProgress(done, total);
}

void FRM_EXP_NRV_XML::endProgram()
{
    close();
    QCoreApplication::exit(ExitStopped);
}

void FRM_EXP_NRV_XML::setFilterText(const QString& text)
{
    m_TxtSql->setText(text);
}

void FRM_EXP_NRV_XML::setStatus(const QString& text)
{
    m_lblStatus->setText(text);
}

QString FRM_EXP_NRV_XML::caption() const
{
    return windowTitle();
}

void FRM_EXP_NRV_XML::setCaption(const QString& text)
{
    setWindowTitle(text);
}

void FRM_EXP_NRV_XML::setCaseLines(QList<CaseLine> lines)
{
    m_listModel->setLines(std::move(lines));
}

void FRM_EXP_NRV_XML::setBusy(bool busy)
{
    m_busy.set(busy);
}

void FRM_EXP_NRV_XML::showProgress(qsizetype done, qsizetype total)
{
    if (done < 0) {
        m_progress->setVisible(false);
        return;
    }
    m_progress->setVisible(true);
    m_progress->setMaximum(int(total));
    m_progress->setValue(int(std::min<qsizetype>(done, total > 0 ? total : done)));
    // While the total is unknown the bar counts the rows read; otherwise it reads as done/total.
    m_progress->setFormat(total == 0 ? QString::number(done) : QStringLiteral("%v/%m"));
}

void FRM_EXP_NRV_XML::showCaseProgress(qsizetype done, qsizetype total, const QString& caseText)
{
    showProgress(done, total);
    // The bar reads %v, %m and %p in its format as numbers: an invisible word joiner after each "%" of the case's
    // own text keeps it as it is.
    m_progress->setFormat(QStringLiteral("%v/%m  ") +
                          QString(caseText).replace(QLatin1Char('%'), QStringLiteral("%\u2060")));
}
