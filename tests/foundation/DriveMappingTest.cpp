#include "foundation/DriveMapping.h"
#include "foundation/SpecialFolders.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(DriveMapping, DriveLettersLiveInTheirConfiguredFolders)
{
    TempFolder folder;
    EnvGuard env;
    env.set("KV32_DRIVE_Z", folder.file(QStringLiteral("share")));
    env.set("XDG_DATA_HOME", folder.file(QStringLiteral("data")));
    env.unset("KV32_DRIVE_Q");

    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("Z:\\work\\kv32\\dati\\kv32.ini")),
              folder.file(QStringLiteral("share/work/kv32/dati/kv32.ini")));
    // The letter is the same in either case; the folder of an unset drive is in the program's data.
    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("z:\\a")), folder.file(QStringLiteral("share/a")));
    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("Q:\\x\\y.txt")),
              folder.file(QStringLiteral("data/exp_nrv_xml/drives/Q/x/y.txt")));
    // The sheet folder keeps its closing separator; a doubled backslash does no harm.
    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("Z:\\work\\kv32\\dati\\ds\\")),
              folder.file(QStringLiteral("share/work/kv32/dati/ds/")));
    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("Z:\\")), folder.file(QStringLiteral("share")));
}

TEST(DriveMapping, OtherPathsAreUsedAsTheyStand)
{
    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("/tmp/status.txt")), QStringLiteral("/tmp/status.txt"));
    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("status.txt")), QStringLiteral("status.txt"));
    EXPECT_EQ(DriveMapping::toLocalPath(QStringLiteral("\\\\server\\share")), QStringLiteral("\\\\server\\share"));
    EXPECT_EQ(DriveMapping::toLocalPath(QString()), QString());
}

TEST(SpecialFolders, AppDataOnlyByItsExactNameElseTheDesktop)
{
    TempFolder folder;
    EnvGuard env;
    env.set("HOME", folder.path());
    env.set("XDG_DATA_HOME", folder.file(QStringLiteral("data")));
    env.set("XDG_CONFIG_HOME", folder.file(QStringLiteral("config")));
    env.set("USERPROFILE", folder.file(QStringLiteral("profile")));

    EXPECT_EQ(CartellaSpeciale(QStringLiteral("appdata")), folder.file(QStringLiteral("data")));
    EXPECT_EQ(CartellaSpeciale(QString()), folder.file(QStringLiteral("Desktop")));
    EXPECT_EQ(CartellaSpeciale(QStringLiteral("AppData")), folder.file(QStringLiteral("Desktop")));
    EXPECT_EQ(userProfileFolder(), folder.file(QStringLiteral("profile")));
    env.unset("USERPROFILE");
    EXPECT_EQ(userProfileFolder(), folder.path());
}
