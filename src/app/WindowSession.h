#pragma once

struct CommandLine;
class Clock;
class Dialogs;
class Random;

/// A session with windows: the main window's load sequence, or the window of the tool asked for;
/// then the event loop. Returns the exit status.
int runWindowSession(const CommandLine& options, Dialogs& dialogs, const Clock& clock, Random& random);
