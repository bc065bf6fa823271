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

TEST_F(DataPaths, TheBuildTreesDataServesOnlyProgramsInTheBuildTree)
{
    unsetenv("ZIBOLT_DATA_DIR");
    // This test runs from the build tree, whose data folder the build makes.
    const std::string buildData = DefaultDataDir(fs::read_symlink("/proc/self/exe").parent_path());
    EXPECT_TRUE(fs::is_directory(buildData)) << buildData;
    EXPECT_EQ(fs::path(buildData).filename(), "data");

    // A program copied alone looks in the system's data folders instead.
    const char* old = std::getenv("XDG_DATA_DIRS");
    const std::string saved = old ? old : "";
    fs::create_directories(dir_ / "b" / "zibolt");
    setenv("XDG_DATA_DIRS", ("relative:" + (dir_ / "a").string() + ":" + (dir_ / "b").string()).c_str(), 1);
    EXPECT_EQ(DefaultDataDir((dir_ / "lonely").string()), (dir_ / "b" / "zibolt").string());
    setenv("XDG_DATA_DIRS", (dir_ / "a").c_str(), 1);
    EXPECT_NE(DefaultDataDir((dir_ / "lonely").string()), buildData);
    if (old)
        setenv("XDG_DATA_DIRS", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_DIRS");
}

TEST_F(DataPaths, AboutProgramLivesBesideTheProgram)
{
    EXPECT_EQ(AboutProgramPath("/opt/zibolt/bin"),
              (fs::path("/opt/zibolt/bin") / "zibolt-about").string());
}
