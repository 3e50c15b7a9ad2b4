#pragma once

#include "foundation/Status.h"

#include <QString>

/// Refuses, before anything runs, a filter or query handed over by the suite that the database would not run whole
/// (a second statement after a ';', a NUL character). The message names it (`which`, for example "Il filtro delle
/// pratiche"), the file it came from when known, why, and what to do.
Status checkFilter(const QString& text, const QString& which, const QString& sourceFile);
