#pragma once

#include "ds/QuotaDraw.h"

#include <QStringList>

#include <array>
#include <optional>

class Clock;
class Dialogs;
class Random;
class SheetStore;
namespace db {
class Recordset;
}

/// The quota arrays of the "Diagnosis Sheet" panel, in the order a run starts their counts again.
enum class QuotaArray {
    MotivoImpagato,           ///< 9: reasons A to I
    SituazioneFamiliare,      ///< 5: A to E
    Abitazione,               ///< 4: A to D
    TipologiaContratto,       ///< 6: A to F
    CapacitaPagareFutureRate, ///< 6: yes, no, then an improvement in 1, 3, 6 or 12 months
    RedditoClienteNumPra,     ///< 6: the debtor's three salaries, then the guarantor's
    NoteNumPra,               ///< 3: the notes
};
constexpr int QuotaArrayCount = 7;

/// Every quota of the panel, one list of boxes per array.
class GenerationQuotas {
public:
    /// How many boxes an array has.
    static int boxCount(QuotaArray array);

    QList<Quota>& operator[](QuotaArray array) { return m_arrays[size_t(array)]; }
    const QList<Quota>& operator[](QuotaArray array) const { return m_arrays[size_t(array)]; }

private:
    std::array<QList<Quota>, QuotaArrayCount> m_arrays;
};

/// What a run draws from and how: the panel's quotas, candidate amounts and notes, and its three options.
struct GenerationSettings {
    GenerationQuotas quotas;
    QStringList redditoCliente;        ///< six amounts in two rows; the draws take the first row for both persons
    QStringList nota;                  ///< three notes
    bool leggiDaCodiceScarico = false; ///< the reason comes from the case's discharge code
    bool overwrite = false;            ///< "Sovrascrivi DS precedenti"
    bool soloTest = false;             ///< "Solo Test (NON SALVA)": nothing is saved
};

/// What a run shows and asks of the window while it works.
class SheetGenerationView {
public:
    virtual ~SheetGenerationView() = default;
    /// A confirmed run starts on the list's first case: "Interrompi" shows, the counts start again.
    virtual void generationStarts() = 0;
    /// The case the run is on (its position in the list, 1 up to `total`), as messages name it, and the counts.
    virtual void showCase(qsizetype position, qsizetype total, const QString& caseText,
                          const GenerationQuotas& quotas) = 0;
    /// The run stops on the case it is on: the operator is to see that case while the message names it.
    virtual void showStoppedCase() = 0;
    /// "Interrompi" was pressed.
    virtual bool stopRequested() = 0;
    /// Every quota of a group is used up: the run waits on it until a quota is raised or "Interrompi" is pressed.
    virtual void showQuotasUsedUp(const QString& group) = 0;
    /// The wait that showQuotasUsedUp announced is over.
    virtual void quotasAvailableAgain() = 0;
    /// The quotas of an array as the operator has them now (raised during a wait); their counts are not read.
    virtual QList<Quota> quotasNow(QuotaArray array) = 0;
    /// Lets the window process pending events.
    virtual void pumpEvents() = 0;
};

/// "Genera Diagnosis Sheet Casuali": walks the listed cases from the first and gives each case that needs a
/// Diagnosis Sheet (and has none, unless overwriting) one drawn under the quotas, or with the reason taken from its
/// discharge code. Every case of the walk is saved through the store as the next-case command saves the sheet
/// shown: a case that is not generated goes back with the values its sheet file gives the editor. A case in error
/// stops the run with a message that names it.
class SheetGenerator {
public:
    SheetGenerator(GenerationSettings settings, db::Recordset& pratiche, SheetStore& store, const Clock& clock,
                   Random& random, Dialogs& dialogs, SheetGenerationView& view);

    /// The whole run, from the confirmation to its last message. False when no run took place (the operator said
    /// no, or the list is empty).
    bool run();

    /// The quotas with the counts of the last run.
    const GenerationQuotas& quotas() const { return m_settings.quotas; }
    /// The sheet values of the case the list stands on, when the run got as far as reading them (and maybe
    /// drawing into them); nothing when it ended before.
    const std::optional<QStringList>& currentSheet() const { return m_current; }

private:
    /// Why a run stops on a case, or nothing while it goes on.
    using Stop = std::optional<QString>;

    Stop walk();
    Stop workCase();
    Stop checkCase(qint32 k, bool& generate);
    Stop generateCase(qint32 k);
    /// One draw from an array's boxes `offset` to `offset` + n; the drawn box counts one more. Nothing when stopped.
    std::optional<int> draw(const QString& group, QuotaArray array, int n, int offset);
    Stop save(qint32 k);
    QString describeCase() const;
    QString dischargeCode() const;

    GenerationSettings m_settings;
    db::Recordset& m_pratiche;
    SheetStore& m_store;
    const Clock& m_clock;
    Random& m_random;
    Dialogs& m_dialogs;
    SheetGenerationView& m_view;
    std::optional<QStringList> m_current;
};
