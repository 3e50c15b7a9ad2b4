#pragma once

#include "foundation/Status.h"

#include <QSet>
#include <QString>
#include <QStringList>

class DiagnosisSheet;

namespace demo {

/// Writes sheet files into a sheet folder, in the store's format, and at the end removes the sheets of an earlier
/// demo that this one did not write again: they would belong to other cases. Files are overwritten in place rather
/// than deleted first, because creating many files right after deleting many is slow on ext4.
class SheetFiles {
public:
    explicit SheetFiles(QString folder);

    Status addSheet(int contatore, const DiagnosisSheet& sheet);
    Status removeLeftovers();

private:
    QString m_folder;
    QStringList m_old;
    QSet<QString> m_written;
};

} // namespace demo
