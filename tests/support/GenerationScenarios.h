#pragma once

#include "ds/SheetGenerator.h"

#include <QMap>
#include <QString>
#include <QStringList>

class SuiteFixture;

/// Runs of "Genera Diagnosis Sheet Casuali" over one small suite, each recorded as the messages shown, the groups
/// whose quotas ran out, the case the list ends on, the quota counts and the bytes of every sheet file afterwards.
/// The records were taken from the main window's generation and are kept in tests/data/generation/: every way of
/// running the generation must give them again.
namespace GenerationScenarios {

struct Scenario {
    const char* name;
    bool leggiDaCodiceScarico = false;
    bool overwrite = false;
    bool soloTest = false;
    /// Statements run on the suite before the run (a case in error, another code).
    QStringList sql = {};
    /// Every box of TxtAbitazione holds 0, so the first draw of a home waits.
    bool noAbitazione = false;
    /// "Interrompi" is pressed at this event pump (every run stops at the 400th, should a draw find no room).
    int stopAtPump = 400;
    /// At this event pump the operator raises the quota TxtAbitazione(1) to 5.
    int raiseAtPump = 0;
};

const QList<Scenario>& all();
const Scenario& named(const char* name);

/// The quota and value arrays of the "Diagnosis Sheet" panel, in the order a run starts their counts.
const QStringList& quotaArrays();
/// The box texts of every array (quotas, then TxtRedditoCliente and TxtNota) for a scenario.
QMap<QString, QStringList> boxTexts(const Scenario& scenario);
/// What a panel holding those texts and the scenario's options gives a run.
GenerationSettings settings(const Scenario& scenario);

/// The random numbers every run draws, over and over.
QList<double> draws();

/// The twelve cases (in contatore order), their sheets, and the scenario's statements.
void prepare(SuiteFixture& suite, const Scenario& scenario);

/// What a run left behind.
struct Record {
    QStringList shown; ///< every box, the confirmation included
    QStringList usedUp;
    QString position;        ///< "3/12"
    GenerationQuotas quotas; ///< only their counts
};

/// Compares a run with the scenario's record (with EXP_NRV_XML_RECORD_GENERATION set, writes the record instead).
void expectRecorded(const Scenario& scenario, const Record& record, const SuiteFixture& suite);

} // namespace GenerationScenarios
