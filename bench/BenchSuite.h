#pragma once

#include "foundation/Status.h"

#include <QString>

class QCoreApplication;

#include <utility>

namespace db {
class Recordset;
}

/// A demo suite for a benchmark, in a folder of its own, with the program's drives pointed at it.
namespace BenchSuite {

/// The sheets a prepared suite asks for.
enum class Sheets {
    AsMade,             ///< the demo suite as the generator makes it
    HalfNeededNoneMade, ///< every case has a memo code, half of them need a sheet, none exists
    HalfNeededAllMade,  ///< as above, and every needed sheet exists and is complete
};

/// Builds the suite under `drives` (prints what failed and returns false), points KV32_DRIVE_Z and
/// KV32_DRIVE_C at it and writes a status file whose filter is `filter`.
bool prepare(const QString& drives, int cases, const QString& filter, Sheets sheets);

/// Gives every case of the recordset that needs a Diagnosis Sheet and has none a complete one; the number of
/// cases that need one.
Result<int> completeNeededSheets(db::Recordset& pratiche);

/// The number of cases asked for with `--cases N`, the benchmark's only option; `defaultCases` without it.
int casesOption(const QCoreApplication& app, int defaultCases);

/// The suite's command line naming that status file.
QString suiteLine();

/// Resident memory now and at its peak, in MiB, from the kernel's view of this process.
std::pair<double, double> residentMiB();

} // namespace BenchSuite
