#pragma once

#include "launcher/ModuloCommand.h"

#include "support/SqliteFixture.h"
#include "support/SuiteFixture.h"

#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

// Small helpers shared by the tools' tests.

/// The dispatch the suite's start of a tool code gives with the fixture's kv32.ini and status file.
inline Dispatch dispatchTool(ModuloCommand& module, qint32 code)
{
    const Dispatch dispatch = module.EseguiComando(ToolRequest{code, QString()}, SuiteFixture::statusLine());
    EXPECT_EQ(dispatch.kind, Dispatch::Kind::OpenWindow) << dispatch.text.toStdString();
    return dispatch;
}

/// The dispatch of a tool window asked for by its name.
inline Dispatch dispatchWindow(ModuloCommand& module, const QString& windowName)
{
    const Dispatch dispatch = module.EseguiComando(ToolRequest{0, windowName}, SuiteFixture::statusLine());
    EXPECT_EQ(dispatch.kind, Dispatch::Kind::OpenWindow) << dispatch.text.toStdString();
    return dispatch;
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

/// A password that no title may show.
inline QString secretPassword()
{
    return QStringLiteral("S3greta!");
}

/// The suite's SQLite database named with a password, as each kind of connection string spells it (SQLite ignores
/// it, so the database still opens).
inline QStringList connectionStringsWithPassword()
{
    const QString database = QStringLiteral("Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
    return {database + QStringLiteral(";User ID=op;Password=") + secretPassword(),
            database + QStringLiteral(";PWD={") + secretPassword() + QStringLiteral(";x}"),
            database + QStringLiteral(";Jet OLEDB:Database Password=") + secretPassword()};
}

/// Every title a window shows, however briefly.
class TitleRecorder {
public:
    explicit TitleRecorder(QWidget* window)
    {
        QObject::connect(window, &QWidget::windowTitleChanged, window,
                         [this](const QString& title) { titles.append(title); });
    }
    QStringList titles;
};
