#include "foundation/SaveFile.h"
#include "foundation/Windows1252.h"

#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

Status writeText(QIODevice* file, const QByteArray& bytes)
{
    return file->write(bytes) == bytes.size() ? Status::success() : Status::failure(file->errorString());
}

} // namespace

// A link at the name of a file the operator gets on the desktop is replaced, its target kept; the suite's INI files
// are written through their links, which the administrator made.
TEST(SaveFileTest, ALinkIsReplacedOnTheDesktopAndFollowedOnTheSharedDrive)
{
    const auto operatorsFile = [](const QByteArray& bytes) {
        return [bytes](const QString& path) {
            return writeWholeFile(path, [&bytes](QIODevice* file) { return writeText(file, bytes); });
        };
    };
    const auto failing = [](const QString& path) {
        return writeWholeFile(path, [](QIODevice*) { return Status::failure(QStringLiteral("stop")); });
    };
    const auto iniFile = [](const QString& path) {
        return Windows1252::writeFileAtomically(path, QStringLiteral("new"));
    };
    struct Row {
        const char* what;
        std::function<Status(const QString&)> write;
        bool written;
        bool linkKept;
        QByteArray target;
    };
    const Row rows[] = {{"an operator's file", operatorsFile("new"), true, false, "precious"},
                        {"an operator's file that stops", failing, false, true, "precious"},
                        {"an INI file", iniFile, true, true, "new"}};
    for (const Row& row : rows) {
        TempFolder folder;
        const QString target = folder.write(QStringLiteral("elsewhere/precious.txt"), "precious");
        const QString name = folder.file(QStringLiteral("desk/file.csv"));
        QDir().mkpath(folder.file(QStringLiteral("desk")));
        ASSERT_TRUE(QFile::link(target, name));

        EXPECT_EQ(bool(row.write(name)), row.written) << row.what;
        EXPECT_EQ(QFileInfo(name).isSymLink(), row.linkKept) << row.what;
        EXPECT_EQ(fileBytes(target), row.target) << row.what;
        EXPECT_EQ(fileBytes(name), row.written ? QByteArray("new") : QByteArray("precious")) << row.what;
        EXPECT_EQ(QDir(folder.file(QStringLiteral("desk")))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("file.csv")})
            << row.what;
    }
}
