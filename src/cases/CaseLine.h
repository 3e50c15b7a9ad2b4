#pragma once

#include <QString>

/// One line of the case list: the debtor's name, and the case number as the line's data.
struct CaseLine {
    QString text;
    qint32 contatore = 0;
};
