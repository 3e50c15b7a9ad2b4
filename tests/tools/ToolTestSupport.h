#pragma once

#include "launcher/ModuloCommand.h"

#include "support/SqliteFixture.h"
#include "support/SuiteFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

// Small helpers shared by the tools' tests.

/// The suite's command line that names the fixture's status file.
inline QString toolStatusLine()
{
    return QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt");
}

/// The dispatch the suite's start of a tool code gives with the fixture's kv32.ini and status file.
inline Dispatch dispatchTool(ModuloCommand& module, qint32 code)
{
    const Dispatch dispatch = module.EseguiComando(ToolRequest{code, QString()}, toolStatusLine());
    EXPECT_EQ(dispatch.kind, Dispatch::Kind::OpenWindow) << dispatch.text.toStdString();
    return dispatch;
}

/// The dispatch of a tool window asked for by its name.
inline Dispatch dispatchWindow(ModuloCommand& module, const QString& windowName)
{
    const Dispatch dispatch = module.EseguiComando(ToolRequest{0, windowName}, toolStatusLine());
    EXPECT_EQ(dispatch.kind, Dispatch::Kind::OpenWindow) << dispatch.text.toStdString();
    return dispatch;
}

/// A file of tests/data/tools.
inline QString toolsData(const QString& relative)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../data/tools/") + relative;
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

/// Runs the statements of a data file, one a line.
inline void execFile(SqliteFixture& database, const QString& path)
{
    const QString text = QString::fromUtf8(readBytes(path));
    ASSERT_FALSE(text.isEmpty()) << path.toStdString();
    database.exec(text.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}
