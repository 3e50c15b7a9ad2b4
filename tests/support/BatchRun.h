#pragma once

#include "app/BatchSession.h"
#include "app/CommandLine.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"

#include <gtest/gtest.h>

/// The program run in batch on 10/06/2011, with its dialogs.
struct BatchRun {
    /// Runs with these arguments after "--batch", the messages of an earlier run cleared; the exit code.
    int operator()(QStringList arguments)
    {
        dialogs.clear();
        arguments.prepend(QStringLiteral("--batch"));
        arguments.prepend(QStringLiteral("exp_nrv_xml"));
        const Result<CommandLine> options = CommandLine::parse(arguments);
        EXPECT_TRUE(options) << options.errorText().toStdString();
        return options ? runBatchSession(*options, dialogs, clock) : -1;
    }

    ScriptedDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
};
