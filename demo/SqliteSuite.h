#pragma once

#include "foundation/Status.h"

#include <QString>

namespace demo {

class DemoRowSource;
class SheetFiles;
struct DemoSummary;

/// Creates a demo suite's SQLite database at `path`: the suite's tables, the source's rows, then the indexes. The
/// source's sheets go to `sheets`; what is made is counted into `summary`.
Status buildSqliteDatabase(const QString& path, const DemoRowSource& source, SheetFiles& sheets, DemoSummary& summary);

} // namespace demo
