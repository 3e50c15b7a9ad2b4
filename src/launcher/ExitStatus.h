#pragma once

/// Exit statuses of the executable: 0 when the tool finished its work, 1 when it stopped on a finding or a failure
/// (its message was shown), 2 for a command line the program does not understand.
enum ExitStatus { ExitDone = 0, ExitStopped = 1, ExitBadCommandLine = 2 };
