#pragma once

#include <QString>

#include <optional>

class Clock;
class Dialogs;
class ModuloCommand;
struct Dispatch;
struct ToolParams;

// The three tools run without windows: each returns the exit status of the run (ExitDone when the tool finished
// its work, ExitStopped when a message stopped it). Messages go through the batch dialogs.

/// The contacts export: the CSV file written, then the end of the program.
int runContactsBatch(ModuloCommand& module, Dialogs& dialogs, const ToolParams& params);

/// The batch journal: the window's load sequence with the suite's query, then "Stampa" (the question takes
/// --yes / --no, else its default Yes).
int runJournalBatch(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, const QString& sqlLotti,
                    const QString& sourceFile = QString());

/// The other-consignments lookup: one "&Elabora" run; the hits are printed on standard output.
int runConsignmentsBatch(ModuloCommand& module, Dialogs& dialogs, const ToolParams& params);

/// The batch run of a dispatch to one of the three tools, or none for any other window. The contacts export runs
/// only when the dispatch says its start routine runs (the application title "EXP_OUTLOOK"); otherwise there is
/// nothing to do and the run ends with ExitDone.
std::optional<int> runToolBatch(const Dispatch& dispatch, ModuloCommand& module, Dialogs& dialogs, const Clock& clock);
