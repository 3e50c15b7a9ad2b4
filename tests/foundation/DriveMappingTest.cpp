#include "foundation/DriveMapping.h"
#include "foundation/SpecialFolders.h"

#include "support/TempFolder.h"

TEST(DriveMapping, DriveLettersLiveInTheirConfiguredFoldersAndOtherPathsAreUsedAsTheyStand)
{
    TempFolder folder;
    EnvGuard env;
    env.set("KV32_DRIVE_Z", folder.file(QStringLiteral("share")));
    env.set("XDG_DATA_HOME", folder.file(QStringLiteral("data")));
    env.unset("KV32_DRIVE_Q");
    // The letter is the same in either case; the folder of an unset drive is in the program's data; the sheet folder
    // keeps its closing separator.
    const std::pair<const char*, QString> mapped[] = {
        {"z:\\work\\kv32.ini", folder.file(QStringLiteral("share/work/kv32.ini"))},
        {"Q:\\x\\y.txt", folder.file(QStringLiteral("data/exp_nrv_xml/drives/Q/x/y.txt"))},
        {"Z:\\work\\kv32\\dati\\ds\\", folder.file(QStringLiteral("share/work/kv32/dati/ds/"))},
        {"Z:\\", folder.file(QStringLiteral("share"))},
        {"/tmp/status.txt", QStringLiteral("/tmp/status.txt")},
        {"status.txt", QStringLiteral("status.txt")},
        {"\\\\server\\share", QStringLiteral("\\\\server\\share")},
        {"", QString()},
    };
    for (const auto& [path, local] : mapped)
        EXPECT_EQ(DriveMapping::toLocalPath(QString::fromLatin1(path)), local) << path;
}

// On this platform the suite's USERPROFILE is seldom set: the profile is then the home folder.
TEST(SpecialFolders, TheUserProfileIsItsVariableElseTheHome)
{
    TempFolder folder;
    EnvGuard env;
    env.set("HOME", folder.path());
    env.set("USERPROFILE", folder.file(QStringLiteral("profile")));
    EXPECT_EQ(userProfileFolder(), folder.file(QStringLiteral("profile")));
    env.unset("USERPROFILE");
    EXPECT_EQ(userProfileFolder(), folder.path());
}
