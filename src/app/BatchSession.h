#pragma once

#include "launcher/ExitStatus.h"

struct CommandLine;
class Clock;
class Dialogs;

/// A run without windows: the same start-up and dispatch as a window session, then the tool's
/// work as far as it goes without an operator. Returns the exit status.
int runBatchSession(const CommandLine& options, Dialogs& dialogs, const Clock& clock);
