#pragma once

#include "foundation/Status.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace demo {

/// The suite's own files beside a demo database: kv32.ini naming `connectionString`, the status file of the NRV
/// cases, the status file of the NRV cases that pass the check (`completeCases`), and the journal's lot query; no
/// IDNrvXML.ini, so that the first export proposes number 1. `data` is the suite's data folder, `statusFolder` the
/// one of the status files; each file written is added to `files`.
Status writeSuiteFiles(const QString& data, const QString& statusFolder, const QString& connectionString,
                       const QList<int>& completeCases, QStringList& files);

} // namespace demo
