#pragma once

#include "launcher/ModuloCommand.h"

#include "support/SqliteFixture.h"
#include "support/SuiteFixture.h"

#include <gtest/gtest.h>

// Small helpers shared by the tools' tests.

/// The dispatch of a tool asked for by its code, or by its window's name, with the fixture's kv32.ini and status file.
inline Dispatch dispatchTool(ModuloCommand& module, qint32 code, const QString& windowName = QString())
{
    const Dispatch dispatch = module.EseguiComando(ToolRequest{code, windowName}, SuiteFixture::statusLine());
    EXPECT_EQ(dispatch.kind, Dispatch::Kind::OpenWindow) << dispatch.text.toStdString();
    return dispatch;
}

/// The dispatch of the other-consignments lookup, asked for by its window's name.
inline Dispatch dispatchLookup(ModuloCommand& module)
{
    return dispatchTool(module, 0, QStringLiteral("FrmAltriAffidiCF"));
}

/// A file of tests/data/tools.
inline QString toolsData(const QString& relative)
{
    return testData(QStringLiteral("tools/") + relative);
}

/// Runs the statements of a data file, one a line.
inline void execFile(SqliteFixture& database, const QString& path)
{
    const QString text = QString::fromUtf8(fileBytes(path));
    ASSERT_FALSE(text.isEmpty()) << path.toStdString();
    database.exec(text.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}
