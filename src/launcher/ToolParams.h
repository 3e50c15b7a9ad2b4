#pragma once

#include <QString>

/// The three values that every tool window receives from the suite's status file.
struct ToolParams {
    qint32 ParContatore = 0; ///< the case the suite has open (line 1)
    QString ParFiltro;       ///< a filter clause on the case table (line 2)
    QString ParTesto;        ///< a third value (line 3)
    QString source;          ///< the file the values came from, as the suite named it (for messages)
};
