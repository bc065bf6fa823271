#include <gtest/gtest.h>

#include <filesystem>

#include "engine/stream/VReportLog.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"
#include "tests/show/SettingsTempDir.h"

namespace fs = std::filesystem;

using DataPaths = SettingsTempDir;

TEST_F(DataPaths, SceneFilesMatchInAnyCaseAndComeSorted)
{
    for (const char* name : {"b.VCS", "a.vcs", "c.Vcs", "notes.txt", "x.vcsx", ".vcs"})
        WriteFile(dir_ / name, "VCS");
    fs::create_directories(dir_ / "folder.VCS");  // not a file
    EXPECT_EQ(ListSceneFiles(dir_.string()), (std::vector<std::string>{"a.vcs", "b.VCS", "c.Vcs"}));
    EXPECT_TRUE(ListSceneFiles((dir_ / "missing").string()).empty());
}

TEST_F(DataPaths, WindowsSeparatorsBecomeThePlatformsOwn)
{
    const std::string expected = (fs::path("/data") / "Skins" / "Rusty.bmp").string();
    EXPECT_EQ(DataPath("/data", {"Skins", "Rusty.bmp"}), expected);
    EXPECT_EQ(DataPath("/data", {"\\Skins\\", "Rusty.bmp"}), expected);
    EXPECT_EQ(DataPath("/data", {"Skins/Rusty.bmp"}), expected);
}

TEST_F(DataPaths, TheSettingWinsOverEveryDefault)
{
    unsetenv("ZIBOLT_DATA_DIR");
    fs::create_directories(dir_ / "share" / "zibolt");
    fs::create_directories(dir_ / "bin");
    // An installed tree: bin/ beside share/zibolt.
    EXPECT_EQ(fs::path(DefaultDataDir((dir_ / "bin").string())),
              (dir_ / "share" / "zibolt").lexically_normal());
    // Everything in one folder.
    fs::create_directories(dir_ / "other" / "flat" / "data");
    EXPECT_EQ(DefaultDataDir((dir_ / "other" / "flat").string()), (dir_ / "other" / "flat" / "data").string());
    // The environment beats the program's folder; the setting beats both.
    setenv("ZIBOLT_DATA_DIR", "/from/env", 1);
    EXPECT_EQ(ReadDataDir((dir_ / "bin").string()), "/from/env");
    WriteControlValue("Dir", (dir_ / "other").string());
    EXPECT_EQ(ReadDataDir((dir_ / "bin").string()), (dir_ / "other").string());
    unsetenv("ZIBOLT_DATA_DIR");
}

TEST_F(DataPaths, ASettingFolderThatMovedGivesWayAndIsLoggedOnce)
{
    unsetenv("ZIBOLT_DATA_DIR");
    VReportLog::SetSharedPath((dir_ / "zibolt.log").string());
    fs::create_directories(dir_ / "flat" / "data");
    WriteControlValue("Dir", (dir_ / "moved").string());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ReadDataDir((dir_ / "flat").string()), (dir_ / "flat" / "data").string());
    std::vector<std::string> lines = VReportLog::Shared().Tail(10);
    VReportLog::SetSharedPath(VReportLog::DefaultPath());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find((dir_ / "moved").string()), std::string::npos) << lines[0];
}

TEST_F(DataPaths, WithoutAnyHintTheBuildTreesDataIsUsed)
{
    unsetenv("ZIBOLT_DATA_DIR");
    // The tests run from the build tree, whose data folder the build makes.
    std::string dir = DefaultDataDir((dir_ / "nowhere").string());
    EXPECT_TRUE(fs::is_directory(dir)) << dir;
    EXPECT_EQ(fs::path(dir).filename(), "data");
}

TEST_F(DataPaths, AboutProgramLivesBesideTheProgram)
{
    EXPECT_EQ(AboutProgramPath("/opt/zibolt/bin"),
              (fs::path("/opt/zibolt/bin") / "zibolt-about").string());
}
