#include "ds/SheetRules.h"

#include <QStringList>

bool NecessarioDS(const QString& azione)
{
    static const QStringList codes = {QStringLiteral("EESE"), QStringLiteral("EENP"), QStringLiteral("FLXX"),
                                      QStringLiteral("EEPP"), QStringLiteral("INFO"), QStringLiteral("EECN")};
    return codes.contains(azione.toUpper());
}
