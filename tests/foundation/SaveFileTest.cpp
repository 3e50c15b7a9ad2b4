#include "foundation/SaveFile.h"
#include "foundation/Windows1252.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// A link at the name of a file the operator gets on the desktop is replaced when the file is written whole (the
// flow's tests show it) and kept, with its target, when the write stops; the suite's INI files are written through
// their links, which the administrator made.
TEST(SaveFileTest, ALinkIsKeptByAWriteThatStopsAndFollowedOnTheSharedDrive)
{
    TempFolder folder;
    const QString target = folder.write(QStringLiteral("elsewhere/precious.txt"), "precious");
    const QString name = folder.file(QStringLiteral("desk/file.csv"));
    QDir().mkpath(folder.file(QStringLiteral("desk")));
    ASSERT_TRUE(QFile::link(target, name));
    // Whether the name is still a link, the target's bytes and what the desktop folder holds.
    const auto state = [&] {
        return QStringList{QFileInfo(name).isSymLink() ? QStringLiteral("link") : QStringLiteral("file"),
                           QString::fromLatin1(fileBytes(target)),
                           QDir(folder.file(QStringLiteral("desk")))
                               .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                               .join(QLatin1Char(','))};
    };
    EXPECT_FALSE(writeWholeFile(name, [](QIODevice*) { return Status::failure(QStringLiteral("stop")); }));
    EXPECT_EQ(state(), (QStringList{"link", "precious", "file.csv"}));
    EXPECT_TRUE(Windows1252::writeFileAtomically(name, QStringLiteral("new")));
    EXPECT_EQ(state(), (QStringList{"link", "new", "file.csv"}));
}
