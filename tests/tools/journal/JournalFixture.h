#pragma once

#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"

#include "support/SuiteFixture.h"

/// A suite with three lots of cases on three consignment dates, the journal keys in kv32.ini and rows of another
/// operator in the working table.
class JournalFixture {
public:
    JournalFixture();

    /// Seven columns, one row per lot; its own ordering gives way to the consignment date.
    static QString lotsQuery();
    /// The dispatch of tool code 7510 with a query file holding `query` on its first line and more after it.
    Dispatch dispatch(const QString& query = lotsQuery());

    QString iniPath() const { return suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\kv32.ini")); }
    QByteArray iniBytes() const { return fileBytes(iniPath()); }
    bool iniReadOnly() const;
    QString reportPath() { return suite.home().desktop() + QStringLiteral("/GiornaleXLotti_2011-06-10.pdf"); }
    /// The working table's rows of an operator, "SOC|data1|c1|N_1" each, in table order.
    QStringList workingRows(const QString& tag);

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    ScriptedDialogs dialogs;
};
