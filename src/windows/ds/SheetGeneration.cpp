#include "windows/ds/SheetGeneration.h"

#include "windows/cases/FRM_EXP_NRV_XML.h"
#include "windows/ds/GenerationPanel.h"
#include "ds/QuotaDraw.h"
#include "windows/ds/SheetEditor.h"
#include "ds/SheetFields.h"
#include "ds/SheetRules.h"
#include "foundation/DateText.h"
#include "foundation/ShownText.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

const QString Concluded = QStringLiteral("Generazione conclusa");

/// Whether no box that a draw can reach (`first` to `first` + n) has room left under its quota.
bool usedUp(const QList<QuotaBox>& quotas, int first, int n)
{
    for (int index = first; index <= first + n && index < quotas.size(); ++index) {
        if (hasRoom(quotas.at(index)))
            return false;
    }
    return true;
}

/// Starts a run's count again: every box's tag at 0 and its tooltip empty.
void AzzeraTag(const QList<QLineEdit*>& boxes)
{
    for (QLineEdit* box : boxes) {
        box->setProperty("Tag", QStringLiteral("0"));
        box->setToolTip(QString());
    }
}

} // namespace

SheetGeneration::SheetGeneration(FRM_EXP_NRV_XML& window, Dialogs& dialogs, const Clock& clock, Random& random)
    : m_window(window), m_dialogs(dialogs), m_clock(clock), m_random(random)
{
}

void SheetGeneration::run()
{
    db::Recordset& pratiche = m_window.cases().pratiche();
    const qsizetype cases = pratiche.recordCount();
    const QString question =
        QStringLiteral("Confermi generazione causale Diagnosis Sheet per %1 pratiche ?").arg(cases);
    if (m_dialogs.question(question, Dialogs::Answer::No, Dialogs::Icon::Question) != Dialogs::Answer::Yes)
        return;
    if (cases == 0) {
        m_dialogs.message(Concluded);
        return;
    }
    m_window.setStopRequested(false);
    m_window.setInterrompiVisible(true);
    GenerationPanel* panel = m_window.generationPanel();
    for (const QList<QLineEdit*>* boxes :
         {&panel->TxtMotivoImpagato, &panel->TxtSituazioneFamiliare, &panel->TxtAbitazione,
          &panel->TxtTipologiaContratto, &panel->TxtCapacitaPagareFutureRate, &panel->TxtRedditoClienteNumPra,
          &panel->TxtNoteNumPra})
        AzzeraTag(*boxes);

    pratiche.moveFirst();
    m_window.cmdPratiche_Click();
    m_window.pumpEvents();
    const Stop stop = walk();
    if (stop) {
        m_dialogs.message(*stop);
        m_dialogs.message(QStringLiteral("La generazione termina"));
    } else {
        m_dialogs.message(Concluded);
    }
    m_window.showProgress(-1, 0);
    m_window.setInterrompiVisible(false);
}

SheetGeneration::Stop SheetGeneration::walk()
{
    db::Recordset& pratiche = m_window.cases().pratiche();
    while (!pratiche.eof() && !m_window.stopRequested()) {
        m_window.showCaseProgress(pratiche.absolutePosition(), pratiche.recordCount(), describeCase());
        bool generate = false;
        if (Stop stop = checkCase(generate))
            return stop;
        const qint32 k = pratiche.wholeNumber(QStringLiteral("contatore")).value_or(0);
        if (generate) {
            const QString code = pratiche.text(QStringLiteral("codice scarico")).value_or(QString()).toUpper();
            if (Stop stop = generateCase(k, code))
                return stop;
        }
        if (pratiche.absolutePosition() == pratiche.recordCount()) {
            if (!m_window.SalvaDS(k))
                return QStringLiteral("Diagnosis Sheet della pratica %1 non salvata").arg(k);
            return std::nullopt;
        }
        // The next-case command saves this case's sheet and shows the next one.
        if (!m_window.runCaseCommand(FRM_EXP_NRV_XML::Successivo))
            return QStringLiteral("Diagnosis Sheet della pratica %1 non salvata").arg(k);
        m_window.pumpEvents();
    }
    return std::nullopt;
}

SheetGeneration::Stop SheetGeneration::checkCase(bool& generate)
{
    db::Recordset& pratiche = m_window.cases().pratiche();
    const Result<qint32> k = pratiche.wholeNumber(QStringLiteral("contatore"));
    if (!k)
        return k.errorText();
    const QString memoCode = pratiche.text(QStringLiteral("codicescaricomemo")).value_or(QString());
    if (memoCode.isEmpty())
        return QStringLiteral("Manca Codice Scarico Memo alla pratica ") + describeCase();
    generate = false;
    if (!NecessarioDS(memoCode))
        return std::nullopt;
    if (m_window.generationPanel()->chkLeggiDaCodiceScarico->isChecked()) {
        const QString code = pratiche.text(QStringLiteral("codice scarico")).value_or(QString()).toUpper();
        if (code.isEmpty())
            return QStringLiteral("Manca Codice Scarico alla pratica ") + describeCase();
        if (code.size() != 1 || !QStringLiteral("ABCDEFGHI").contains(code))
            return QStringLiteral("Codice Scarico ERRATO alla pratica ") + describeCase();
    }
    generate = m_window.generationPanel()->chkOverwrite->isChecked() || !m_window.sheets().CeDiagnosiSheet(*k);
    return std::nullopt;
}

SheetGeneration::Stop SheetGeneration::generateCase(qint32 k, const QString& dischargeCode)
{
    GenerationPanel* panel = m_window.generationPanel();
    SheetEditor* editor = m_window.editor();
    if (!panel->chkLeggiDaCodiceScarico->isChecked()) {
        if (const std::optional<int> reason = draw(QStringLiteral("Motivo Impagato"), 8, panel->TxtMotivoImpagato, 0))
            editor->cboMotivoImpagato->setCurrentIndex(*reason);
    } else {
        const int reason = AdattaCodiceScarico(dischargeCode, SheetFields::motivoImpagatoItems());
        if (reason < 0)
            return QStringLiteral("Codice Scarico %1 per pratica K=%2 NON valido").arg(shownText(dischargeCode)).arg(k);
        editor->cboMotivoImpagato->setCurrentIndex(reason);
    }
    if (const std::optional<int> family =
            draw(QStringLiteral("Situazione Familiare"), 4, panel->TxtSituazioneFamiliare, 0))
        editor->cboSituazioneFamiliare->setCurrentIndex(*family);
    if (const std::optional<int> housing = draw(QStringLiteral("Abitazione"), 3, panel->TxtAbitazione, 0))
        editor->cboAbitazione->setCurrentIndex(*housing);
    if (const std::optional<int> contract =
            draw(QStringLiteral("Tipologia Contratto"), 5, panel->TxtTipologiaContratto, 0))
        editor->cboTipologiaContratto->setCurrentIndex(*contract);
    if (const std::optional<int> ability =
            draw(QString::fromUtf8("Capacità di pagare le future scadenze"), 1, panel->TxtCapacitaPagareFutureRate, 0))
        editor->cboCapacitaPagareFutureScadenze->setCurrentIndex(*ability);
    // The improvement date is drawn whatever the ability to pay came out as.
    if (const std::optional<int> months =
            draw(QStringLiteral("(se 'NO') Data Miglioramento"), 3, panel->TxtCapacitaPagareFutureRate, 2))
        editor->Scheda[3]->setText(shortDateText(improvementDate(*months, m_clock.today(), m_random)));
    if (const std::optional<int> salary =
            draw(QStringLiteral("Situazione Finanziaria del Cliente"), 2, panel->TxtRedditoClienteNumPra, 0))
        editor->Scheda[4]->setText(panel->TxtRedditoCliente.at(*salary)->text());
    // The guarantor's count goes to the second row of quotas, its amount still from the first row.
    if (const std::optional<int> salary = draw(QStringLiteral("Garante"), 2, panel->TxtRedditoClienteNumPra, 3))
        editor->Scheda[7]->setText(panel->TxtRedditoCliente.at(*salary)->text());
    if (const std::optional<int> note = draw(QStringLiteral("Note"), 2, panel->TxtNoteNumPra, 0))
        editor->Scheda[10]->setText(panel->TxtNota.at(*note)->text());
    return std::nullopt;
}

std::optional<int> SheetGeneration::draw(const QString& group, int n, const QList<QLineEdit*>& boxes, int offset)
{
    QList<QuotaBox> quotas;
    for (const QLineEdit* box : boxes)
        quotas.append({box->text(), box->property("Tag").toString()});
    // With every quota of the group used up the draw goes on until "Interrompi": the status line says why, and a
    // quota that the operator raises meanwhile is taken at the next draw.
    bool waiting = false;
    QString statusBefore;
    const auto rejected = [&] {
        if (!waiting && usedUp(quotas, offset, n)) {
            waiting = true;
            statusBefore = m_window.status();
            m_window.setStatus(
                QStringLiteral("Quote esaurite in \"%1\": alzare una quota o premere Interrompi").arg(group));
        }
        m_window.pumpEvents();
        for (qsizetype index = 0; index < boxes.size(); ++index)
            quotas[index].text = boxes.at(index)->text();
    };
    const std::optional<int> drawn = Inventa(
        n, quotas, offset, m_random, [this] { return m_window.stopRequested(); }, rejected);
    if (waiting)
        m_window.setStatus(statusBefore);
    if (!drawn)
        return std::nullopt;
    QLineEdit* chosen = boxes.at(*drawn + offset);
    chosen->setProperty("Tag", quotas.at(*drawn + offset).tag);
    chosen->setToolTip(quotas.at(*drawn + offset).tag);
    return drawn;
}

QString SheetGeneration::describeCase() const
{
    const db::Recordset& pratiche = m_window.cases().pratiche();
    return shownText(pratiche.text(QStringLiteral("posizione")).value_or(QString()) + QLatin1Char(' ') +
                     pratiche.text(QStringLiteral("ragione sociale")).value_or(QString()));
}
