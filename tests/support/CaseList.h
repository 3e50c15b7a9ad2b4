#pragma once

#include "cases/BatchCaseView.h"
#include "cases/CaseSelection.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"

#include "support/SuiteFixture.h"

#include <gtest/gtest.h>

/// The main window's case list without the window: the suite's line dispatched, then the cases loaded as at
/// start-up.
class CaseList {
public:
    CaseList(SuiteFixture& suite, ScriptedDialogs& dialogs)
        : m_suite(suite), m_dialogs(dialogs), cases(module, dialogs, view)
    {
    }

    /// Writes a status file with this filter and loads its cases.
    bool load(const QString& filter)
    {
        m_suite.useFilter(filter);
        const Dispatch dispatch = module.EseguiComando(ToolRequest{5001, QString()}, SuiteFixture::statusLine());
        EXPECT_EQ(dispatch.kind, Dispatch::Kind::OpenWindow);
        cases = CaseSelection(module, m_dialogs, view, dispatch.params);
        return cases.Inizia();
    }
    /// The case numbers of the listed lines.
    QList<qint32> listed() const
    {
        QList<qint32> numbers;
        for (const CaseLine& line : view.lines())
            numbers.append(line.contatore);
        return numbers;
    }

private:
    SuiteFixture& m_suite;
    ScriptedDialogs& m_dialogs;

public:
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    BatchCaseView view{nullptr};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    CaseSelection cases;
};
