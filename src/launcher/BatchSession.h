#pragma once

struct CommandLine;
class Clock;
class Dialogs;

/// Exit statuses of the executable.
enum ExitStatus { ExitDone = 0, ExitStopped = 1, ExitBadCommandLine = 2 };

/// A run without windows: the same start-up and dispatch as a window session, then the tool's
/// work as far as it goes without an operator. Returns the exit status.
int runBatchSession(const CommandLine& options, Dialogs& dialogs, const Clock& clock);
