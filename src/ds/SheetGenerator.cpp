#include "ds/SheetGenerator.h"

#include "ds/CaseDisplay.h"
#include "ds/SheetFields.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "foundation/DateText.h"
#include "foundation/ShownText.h"
#include "foundation/Status.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Dialogs.h"

namespace {

const QString Concluded = QStringLiteral("Generazione conclusa");

// Where the drawn values go among the sheet's 15 values (file order).
enum SheetValue {
    Motivo = 0,
    Situazione = 1,
    Abitazione = 3,
    Tipologia = 4,
    Capacita = 6,
    DataMiglioramento = 7,
    ClienteSalario = 8,
    GaranteSalario = 11,
    Note = 14,
};

/// Whether no box that a draw can reach (`first` to `first` + n) has room left under its quota.
bool usedUp(const QList<Quota>& quotas, int first, int n)
{
    for (int index = first; index <= first + n && index < quotas.size(); ++index) {
        if (quotas.at(index).hasRoom())
            return false;
    }
    return true;
}

} // namespace

int GenerationQuotas::boxCount(QuotaArray array)
{
    static const int counts[QuotaArrayCount] = {9, 5, 4, 6, 6, 6, 3};
    return counts[int(array)];
}

SheetGenerator::SheetGenerator(GenerationSettings settings, db::Recordset& pratiche, SheetStore& store,
                               const Clock& clock, Random& random, Dialogs& dialogs, SheetGenerationView& view)
    : m_settings(std::move(settings)), m_pratiche(pratiche), m_store(store), m_clock(clock), m_random(random),
      m_dialogs(dialogs), m_view(view)
{
    // A draw indexes every box of its array and every value of its row: missing ones are empty boxes.
    for (int array = 0; array < QuotaArrayCount; ++array)
        m_settings.quotas[QuotaArray(array)].resize(GenerationQuotas::boxCount(QuotaArray(array)));
    m_settings.redditoCliente.resize(6);
    m_settings.nota.resize(3);
}

bool SheetGenerator::run()
{
    const qsizetype cases = m_pratiche.recordCount();
    const QString question =
        QStringLiteral("Confermi generazione causale Diagnosis Sheet per %1 pratiche ?").arg(cases);
    if (m_dialogs.question(question, Dialogs::Answer::No, Dialogs::Icon::Question) != Dialogs::Answer::Yes)
        return false;
    if (cases == 0) {
        m_dialogs.message(Concluded);
        return false;
    }
    for (int array = 0; array < QuotaArrayCount; ++array) {
        for (Quota& quota : m_settings.quotas[QuotaArray(array)])
            quota.count = 0;
    }
    m_current.reset();
    Stop stop;
    if (const Status moved = m_pratiche.moveFirst(); !moved)
        stop = moved.errorText();
    m_view.generationStarts();
    m_view.pumpEvents();
    if (!stop)
        stop = walk();
    if (stop) {
        m_view.showStoppedCase();
        m_dialogs.message(*stop);
        m_dialogs.message(QStringLiteral("La generazione termina"));
    } else {
        m_dialogs.message(Concluded);
    }
    return true;
}

SheetGenerator::Stop SheetGenerator::walk()
{
    while (!m_pratiche.eof() && !m_view.stopRequested()) {
        if (Stop stop = workCase())
            return stop;
        if (m_pratiche.absolutePosition() == m_pratiche.recordCount())
            return std::nullopt;
        // On to the next case, as the next-case command goes after saving.
        m_current.reset();
        if (const Status moved = m_pratiche.moveNext(); !moved)
            return moved.errorText();
        m_view.pumpEvents();
    }
    return std::nullopt;
}

SheetGenerator::Stop SheetGenerator::workCase()
{
    m_view.showCase(m_pratiche.absolutePosition(), m_pratiche.recordCount(), describeCase(), m_settings.quotas);
    const Result<qint32> k = m_pratiche.wholeNumber(QStringLiteral("contatore"));
    if (!k)
        return k.errorText();
    // What the editor would show for the case: a case that is not generated is saved again with it. A sheet that
    // cannot be read stops the run, so that nothing is saved over it.
    const Result<QStringList> shown = shownSheetValues(m_store, *k);
    if (!shown)
        return shown.errorText();
    m_current = *shown;
    bool generate = false;
    if (Stop stop = checkCase(*k, generate))
        return stop;
    if (generate) {
        if (Stop stop = generateCase(*k))
            return stop;
    }
    return save(*k);
}

SheetGenerator::Stop SheetGenerator::checkCase(qint32 k, bool& generate)
{
    const QString memoCode = m_pratiche.text(QStringLiteral("codicescaricomemo")).value_or(QString());
    if (memoCode.isEmpty())
        return QStringLiteral("Manca Codice Scarico Memo alla pratica ") + describeCase();
    if (!NecessarioDS(memoCode))
        return std::nullopt;
    if (m_settings.leggiDaCodiceScarico) {
        const QString code = dischargeCode();
        if (code.isEmpty())
            return QStringLiteral("Manca Codice Scarico alla pratica ") + describeCase();
        if (code.size() != 1 || !QStringLiteral("ABCDEFGHI").contains(code))
            return QStringLiteral("Codice Scarico ERRATO alla pratica ") + describeCase();
    }
    generate = m_settings.overwrite || !m_store.CeDiagnosiSheet(k);
    return std::nullopt;
}

SheetGenerator::Stop SheetGenerator::generateCase(qint32 k)
{
    QStringList& values = *m_current;
    const auto drawItem = [&](SheetValue value, const QString& group, QuotaArray array, int n,
                              const QStringList& items) {
        if (const std::optional<int> drawn = draw(group, array, n, 0))
            values[value] = items.at(*drawn);
    };
    if (!m_settings.leggiDaCodiceScarico) {
        drawItem(Motivo, QStringLiteral("Motivo Impagato"), QuotaArray::MotivoImpagato, 8,
                 SheetFields::motivoImpagatoItems());
    } else {
        const QString code = dischargeCode();
        const int reason = AdattaCodiceScarico(code, SheetFields::motivoImpagatoItems());
        if (reason < 0)
            return QStringLiteral("Codice Scarico %1 per pratica K=%2 NON valido").arg(shownText(code)).arg(k);
        values[Motivo] = SheetFields::motivoImpagatoItems().at(reason);
    }
    drawItem(Situazione, QStringLiteral("Situazione Familiare"), QuotaArray::SituazioneFamiliare, 4,
             SheetFields::situazioneFamiliareItems());
    drawItem(Abitazione, QStringLiteral("Abitazione"), QuotaArray::Abitazione, 3, SheetFields::abitazioneItems());
    drawItem(Tipologia, QStringLiteral("Tipologia Contratto"), QuotaArray::TipologiaContratto, 5,
             SheetFields::tipologiaContrattoItems());
    drawItem(Capacita, QString::fromUtf8("Capacità di pagare le future scadenze"), QuotaArray::CapacitaPagareFutureRate,
             1, SheetFields::capacitaPagamentoItems());
    // The improvement date is drawn whatever the ability to pay came out as.
    if (const std::optional<int> months =
            draw(QStringLiteral("(se 'NO') Data Miglioramento"), QuotaArray::CapacitaPagareFutureRate, 3, 2))
        values[DataMiglioramento] = shortDateText(improvementDate(*months, m_clock.today(), m_random));
    drawItem(ClienteSalario, QStringLiteral("Situazione Finanziaria del Cliente"), QuotaArray::RedditoClienteNumPra, 2,
             m_settings.redditoCliente);
    // The guarantor's count goes to the second row of quotas, its amount still from the first row.
    if (const std::optional<int> salary = draw(QStringLiteral("Garante"), QuotaArray::RedditoClienteNumPra, 2, 3))
        values[GaranteSalario] = m_settings.redditoCliente.at(*salary);
    drawItem(Note, QStringLiteral("Note"), QuotaArray::NoteNumPra, 2, m_settings.nota);
    return std::nullopt;
}

std::optional<int> SheetGenerator::draw(const QString& group, QuotaArray array, int n, int offset)
{
    QList<Quota>& quotas = m_settings.quotas[array];
    // With every quota of the group used up the draw goes on until "Interrompi": the window says why, and a quota
    // that the operator raises meanwhile is taken at the next draw.
    bool waiting = false;
    const auto rejected = [&] {
        if (!waiting && usedUp(quotas, offset, n)) {
            waiting = true;
            m_view.showQuotasUsedUp(group);
        }
        m_view.pumpEvents();
        const QList<Quota> now = m_view.quotasNow(array);
        for (qsizetype index = 0; index < quotas.size() && index < now.size(); ++index)
            quotas[index].limit = now.at(index).limit;
    };
    const std::optional<int> drawn = Inventa(
        n, quotas, offset, m_random, [this] { return m_view.stopRequested(); }, rejected);
    if (waiting)
        m_view.quotasAvailableAgain();
    return drawn;
}

SheetGenerator::Stop SheetGenerator::save(qint32 k)
{
    const Status saved = m_store.SalvaDS(k, *m_current, m_clock.now(), m_settings.soloTest);
    if (saved)
        return std::nullopt;
    m_view.showStoppedCase();
    m_dialogs.message(saved.errorText(), Dialogs::Icon::Critical);
    return QStringLiteral("Diagnosis Sheet della pratica %1 non salvata").arg(k);
}

QString SheetGenerator::describeCase() const
{
    return shownText(m_pratiche.text(QStringLiteral("posizione")).value_or(QString()) + QLatin1Char(' ') +
                     m_pratiche.text(QStringLiteral("ragione sociale")).value_or(QString()));
}

QString SheetGenerator::dischargeCode() const
{
    return m_pratiche.text(QStringLiteral("codice scarico")).value_or(QString()).toUpper();
}
