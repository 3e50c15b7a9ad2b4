#pragma once

#include "foundation/db/Currency.h"

#include <QStringList>
#include <QVariant>

/// Cells read from a database as "type:value|type:value", to compare two readings field by field and type by type.
/// The width of a whole number is the driver's affair; its value and kind are the program's.
inline QString cellText(const QVariant* cells, qsizetype count)
{
    QStringList texts;
    for (qsizetype i = 0; i < count; ++i) {
        const QVariant& cell = cells[i];
        if (!cell.isValid() || cell.isNull()) {
            texts.append(QStringLiteral("Null"));
            continue;
        }
        const bool whole = cell.typeId() == QMetaType::Int || cell.typeId() == QMetaType::LongLong;
        texts.append((whole ? QStringLiteral("whole") : QString::fromLatin1(cell.typeName())) + QLatin1Char(':') +
                     (cell.metaType() == QMetaType::fromType<db::Currency>() ? cell.value<db::Currency>().toPlainText()
                                                                             : cell.toString()));
    }
    return texts.join(QLatin1Char('|'));
}
