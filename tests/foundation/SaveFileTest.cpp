#include "foundation/SaveFile.h"
#include "foundation/Windows1252.h"

#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// A link at the name of a file the operator gets on the desktop is replaced when the file is written whole (the
// flow's tests show it) and kept, with its target, when the write stops; the suite's INI files are written through
// their links, which the administrator made.
TEST(SaveFileTest, ALinkIsKeptByAWriteThatStopsAndFollowedOnTheSharedDrive)
{
    const std::tuple<const char*, bool, std::function<Status(const QString&)>> writes[] = {
        {"an operator's file that stops", false,
         [](const QString& path) {
             return writeWholeFile(path, [](QIODevice*) { return Status::failure(QStringLiteral("stop")); });
         }},
        {"an INI file", true, [](const QString& path) {
             return Windows1252::writeFileAtomically(path, "new");
         }}};
    for (const auto& [what, succeeds, write] : writes) {
        TempFolder folder;
        const QString target = folder.write(QStringLiteral("elsewhere/precious.txt"), "precious");
        const QString name = folder.file(QStringLiteral("desk/file.csv"));
        QDir().mkpath(folder.file(QStringLiteral("desk")));
        ASSERT_TRUE(QFile::link(target, name));

        EXPECT_EQ(bool(write(name)), succeeds) << what;
        EXPECT_TRUE(QFileInfo(name).isSymLink()) << what;
        EXPECT_EQ(fileBytes(target), succeeds ? QByteArray("new") : QByteArray("precious")) << what;
        EXPECT_EQ(QDir(folder.file(QStringLiteral("desk")))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("file.csv")})
            << what;
    }
}
