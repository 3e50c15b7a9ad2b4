#pragma once

#include "ds/SheetGenerator.h"

#include <QStringList>

class ScriptedDialogs;
class SuiteFixture;

/// Runs of "Genera Diagnosis Sheet Casuali" over one small suite (tests/data/generation/suite), each recorded in
/// tests/data/generation: every way of running the generation must give the records again.
namespace GenerationScenarios {

struct Scenario {
    const char* name;
    /// Words for the panel's options: "codice" (Leggi da codice scarico), "sovrascrivi", "test" (Solo Test), and
    /// "senza casa" (every box of TxtAbitazione holds 0, so the first draw of a home waits).
    QString options;
    QStringList sql = {}; ///< changes to the suite's cases before the run ("column=value WHERE ...")
    int stopAtPump = 400; ///< "Interrompi" is pressed at this event pump (should a draw find no room)
    int raiseAtPump = 0;  ///< at this event pump the operator raises the quota TxtAbitazione(1) to 5
};

inline void PrintTo(const Scenario& scenario, std::ostream* out)
{
    *out << scenario.name;
}

const QList<Scenario>& all();
/// The panel's boxes and their texts: the quota arrays in QuotaArray order, then TxtRedditoCliente and TxtNota.
QList<std::pair<QString, QStringList>> boxTexts(const Scenario& scenario);
/// What a panel holding those texts and the scenario's options gives a run.
GenerationSettings settings(const Scenario& scenario);
/// The random numbers every run draws, over and over.
QList<double> draws();
/// The twelve cases (in contatore order), their sheets, and the scenario's statements.
void prepare(SuiteFixture& suite, const Scenario& scenario);

/// Compares what a run left behind (every box shown, the groups whose quotas ran out, the case the list ends on as
/// "3/12", the quota counts and the bytes of every sheet file) with the scenario's record; with
/// EXP_NRV_XML_RECORD_GENERATION set, writes the record instead.
void expectRecorded(const Scenario& scenario, const ScriptedDialogs& dialogs, const QStringList& usedUp,
                    const QString& position, const GenerationQuotas& quotas, const SuiteFixture& suite);

} // namespace GenerationScenarios
