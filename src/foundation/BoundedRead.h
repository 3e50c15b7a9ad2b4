#pragma once

#include "foundation/Status.h"

#include <QByteArray>
#include <QString>

/// How much of a file a reader takes. The suite's files are small: a file beyond its bound is no file of the
/// suite (a wrong path, a log, a device such as /dev/zero that never ends), so it is refused rather than read.
struct ReadBound {
    qint64 bytes = 0; ///< the most a file may hold, or, with `lines`, the most its first lines may take
    int lines = 0;    ///< when set, reading stops once this many lines have ended, which must be within `bytes`
};

/// The bytes of a file, read within the bound; works on pipes and devices too, which have no size. The failure
/// names the file, and the bound when it is passed.
Result<QByteArray> readBounded(const QString& localPath, ReadBound bound);
