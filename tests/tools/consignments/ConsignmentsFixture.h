#pragma once

#include "launcher/ModuloCommand.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

/// Debtors with cases on one or more consignment dates: ROSSI and O'NEIL were consigned before, BIANCHI twice on
/// the same day; some cases have no tax code, and a VAT number with a leading zero stands beside one without.
class ConsignmentsFixture {
public:
    ConsignmentsFixture()
    {
        const char* rows[][6] = {
            {"1", "ROSSI MARIO", "NRV", "2011-01-10", "IN CORSO", "'RSSMRA'"},
            {"2", "ROSSI MARIO", "ALT", "2010-05-03", "CHIUSA", "'RSSMRA'"},
            {"3", "BIANCHI ANNA", "NRV", "2011-01-10", "IN CORSO", "'BNCANN'"},
            {"4", "BIANCHI ANNA", "NRV", "2011-01-10", "IN CORSO", "'BNCANN'"},
            {"5", "O''NEIL JOHN", "NRV", "2011-01-10", "IN CORSO", "'ONL''X'"},
            {"6", "O''NEIL JOHN", "ALT", "2009-01-01", "CHIUSA", "'ONL''X'"},
            {"7", "SENZA CF", "NRV", "2011-01-10", "IN CORSO", "NULL"},
            {"8", "VUOTO CF", "NRV", "2011-01-10", "IN CORSO", "''"},
            {"9", "ZERO SRL", "NRV", "2011-01-10", "IN CORSO", "'0123'"},
            {"10", "ALTRO VUOTO", "ALT", "2008-01-01", "CHIUSA", "''"},
            {"11", "NUMERO SPA", "ALT", "2008-01-01", "CHIUSA", "'123'"},
        };
        QStringList statements;
        for (const auto& row : rows)
            statements.append(QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], "
                                             "[tipo mandato], [data affido], [situazione affido], P_iva) VALUES "
                                             "(%1, '%2', '%3', '%4', '%5', %6)")
                                  .arg(QString::fromLatin1(row[0]), QString::fromLatin1(row[1]),
                                       QString::fromLatin1(row[2]), QString::fromLatin1(row[3]),
                                       QString::fromLatin1(row[4]), QString::fromLatin1(row[5])));
        suite.database().exec(statements);
        useStatus(1, QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    }

    void useStatus(int contatore, const QString& filter)
    {
        suite.writeStatusFile({QStringLiteral("n=%1").arg(contatore), QStringLiteral("f=") + filter});
    }

    /// The line of case 1, the one the status file names.
    static QString rossiLine() { return QStringLiteral("ROSSI MARIO | NRV | 10/01/2011 | IN CORSO"); }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2008, 4, 10), QTime(9, 0))};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    ScriptedDialogs dialogs;
};
