#pragma once

#include <QString>

class Clock;

/// The suite's command line to start with: the one given, or, when there is none, the program's
/// built-in test line (an Access one on the day the Access mode was tried out).
QString lineOrTestLine(const QString& line, const Clock& clock);
