#pragma once

#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"

#include "support/SuiteFixture.h"

/// Debtors with cases on one or more consignment dates (tests/data/tools/consignments/suite.sql): ROSSI and O'NEIL
/// were consigned before, BIANCHI twice on the same day; cases 7 and 8 have no tax code.
class ConsignmentsFixture {
public:
    ConsignmentsFixture();

    void useStatus(int contatore, const QString& filter) { suite.useFilter(filter, contatore); }

    /// The line of case 1, the one the status file names.
    static QString rossiLine() { return QStringLiteral("ROSSI MARIO | NRV | 10/01/2011 | IN CORSO"); }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2008, 4, 10), QTime(9, 0))};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    ScriptedDialogs dialogs;
};
