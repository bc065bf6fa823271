#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "show/VControlSettings.h"
#include "show/VIniControlStore.h"
#include "tests/show/SettingsTempDir.h"

namespace fs = std::filesystem;

using ControlSettings = SettingsTempDir;

TEST_F(ControlSettings, MissingFileGivesDefaultsAndIsNotCreatedByReading)
{
    EXPECT_EQ(ReadControlValue("Sound", "1"), "1");
    EXPECT_EQ(ReadControlValue("Dir", ""), "");
    EXPECT_FALSE(fs::exists(ConfigFile()));
}

TEST_F(ControlSettings, ValuesRoundTripAndKeysIgnoreLetterCase)
{
    WriteControlValue("Skin", "Rusty");
    WriteControlValue("Planet.VCS", "1");
    WriteControlValue("Skin", "Shiny");  // replaces, not appends
    EXPECT_EQ(ReadControlValue("skin", ""), "Shiny");
    EXPECT_EQ(ReadControlValue("PLANET.vcs", "0"), "1");
    EXPECT_EQ(ReadFile(ConfigFile()), "[Zibolt]\nSkin=Shiny\nPlanet.VCS=1\n");
    // A fresh store on the same file reads what the first wrote.
    VIniControlStore other(ConfigFile(), "zibolt");
    EXPECT_EQ(other.Read("Skin", ""), "Shiny");
}

TEST_F(ControlSettings, UnknownSectionsKeysAndCommentsAreKept)
{
    WriteFile(ConfigFile(),
              "; written by hand\r\n"
              "[Other]\r\n"
              "Skin=NotOurs\r\n"
              "\r\n"
              "[ zibolt ]\r\n"
              "Colour = \"blue\" \r\n"
              "garbage line without equals\r\n"
              "\r\n"
              "[Later]\r\n"
              "x=1\r\n");
    EXPECT_EQ(ReadControlValue("Skin", "none"), "none");  // only our section counts
    EXPECT_EQ(ReadControlValue("Colour", ""), "blue");    // trimmed and unquoted
    WriteControlValue("Skin", "Rusty");
    WriteControlValue("Colour", "red");
    EXPECT_EQ(ReadFile(ConfigFile()),
              "; written by hand\r\n"
              "[Other]\r\n"
              "Skin=NotOurs\r\n"
              "\r\n"
              "[ zibolt ]\r\n"
              "Colour=red\r\n"
              "garbage line without equals\r\n"
              "Skin=Rusty\r\n"
              "\r\n"
              "[Later]\r\n"
              "x=1\r\n");
}

// A line ended twice ("\r\r\n", as after two conversions) keeps no carriage return in its
// value, so the value neither reads wrong nor changes when another setting is written.
TEST_F(ControlSettings, StrayCarriageReturnsAreNoPartOfAValue)
{
    WriteFile(ConfigFile(), "[Zibolt]\nDir=/scenes\r\r\nSound=1\n");
    EXPECT_EQ(ReadControlValue("Dir", ""), "/scenes");
    WriteControlValue("Sound", "0");
    EXPECT_EQ(ReadControlValue("Dir", ""), "/scenes");
}

TEST_F(ControlSettings, WritesGoThroughATemporaryFileThatDoesNotStay)
{
    WriteFile(ConfigFile(), "[Zibolt]\nSound=1\n");
    // A stale temporary from a crashed write is in nobody's way.
    const fs::path stale = fs::path(ConfigFile()) += ".tmp";
    WriteFile(stale, "half a fi");
    VIniControlStore store(ConfigFile(), "Zibolt");
    EXPECT_TRUE(store.TryWrite("Sound", "0"));
    EXPECT_EQ(ReadFile(ConfigFile()), "[Zibolt]\nSound=0\n");
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(ConfigFile()).parent_path()))
        files += entry.path() != stale;
    EXPECT_EQ(files, 1u) << "a temporary file stayed";
    // When the temporary cannot be made (here its name would be too long for the file
    // system), the old file stays whole.
    const fs::path tight = fs::path(ConfigFile()).parent_path() / (std::string(240, 'c') + ".ini");
    WriteFile(tight, "[Zibolt]\nSound=0\n");
    EXPECT_FALSE(VIniControlStore(tight, "Zibolt").TryWrite("Sound", "1"));
    EXPECT_EQ(ReadFile(tight), "[Zibolt]\nSound=0\n");
}

// Every way a settings file can be unusable: reads give defaults, a write leaves the file as
// it was, and the caller and the log learn why, once.
TEST_F(ControlSettings, BrokenFilesAreNeverReplacedAndTheFailureIsReported)
{
    struct Case {
        const char* what;
        std::function<void()> make;
        std::function<bool()> unchanged;
    };
    const std::string withNul("[Zibolt]\nSound=0\n\0\x01\x02", 20);
    const std::string garbage = "[Zibolt]\nSound=0\n\x03\x8f\x1b\xc2garbage\x05";
    const std::string readOnly = "[Zibolt]\nSound=0\n";
    const Case cases[] = {
        {"binary data", [&] { WriteFile(ConfigFile(), withNul); },
         [&] { return ReadFile(ConfigFile()) == withNul; }},
        {"binary data", [&] { WriteFile(ConfigFile(), garbage); },
         [&] { return ReadFile(ConfigFile()) == garbage; }},
        {"is a folder", [&] { fs::create_directories(ConfigFile()); },
         [&] { return fs::is_directory(ConfigFile()); }},
        {"read-only",
         [&] {
             WriteFile(ConfigFile(), readOnly);
             fs::permissions(ConfigFile(), fs::perms::owner_read | fs::perms::group_read);
         },
         [&] { return ReadFile(ConfigFile()) == readOnly; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_ / "config");
        c.make();
        const bool readable = std::string(c.what) == "read-only";
        EXPECT_EQ(ReadControlValue("Sound", "1"), readable ? "0" : "1");
        EXPECT_EQ(ControlStoreProblem().empty(), readable);
        const std::string problem = WriteControlValue("Sound", "1");
        EXPECT_NE(problem.find(c.what), std::string::npos) << problem;
        EXPECT_NE(problem.find(ConfigFile().string()), std::string::npos) << problem;
        EXPECT_TRUE(c.unchanged());
        WriteControlValue("Skin", "Rusty");  // the same failure again
        EXPECT_TRUE(c.unchanged());
        for (const auto& entry : fs::directory_iterator(ConfigFile().parent_path()))
            EXPECT_NE(entry.path().filename().string().rfind("control.ini.tmp", 0), 0u)
                << "a temporary file stayed: " << entry.path();
    }
    // Each distinct problem is logged once, however often it is met.
    const std::string log = ReadFile(LogFile());
    std::size_t saved = 0;
    for (std::size_t at = log.find("Settings not saved"); at != std::string::npos;
         at = log.find("Settings not saved", at + 1))
        ++saved;
    EXPECT_EQ(saved, 3u) << log;  // both kinds of binary data read the same
    EXPECT_NE(log.find("Settings not read, defaults used: the settings file"), std::string::npos);

    // A folder that cannot take the new file: the write fails with the reason, the value is
    // not shown as stored.
    fs::remove_all(dir_ / "config");
    WriteFile(dir_ / "config", "a file where the folder should be");
    EXPECT_NE(WriteControlValue("Sound", "0"), "");
    EXPECT_EQ(ReadFile(dir_ / "config"), "a file where the folder should be");
}

TEST_F(ControlSettings, LargeFilesAreReadUpToTheBoundAndLeftAloneBeyondIt)
{
    // Over a MiB of comments is odd but valid.
    const std::string big = std::string(2 << 20, ';') + "\n[Zibolt]\nSound=0\n";
    WriteFile(ConfigFile(), big);
    EXPECT_EQ(ReadControlValue("Sound", "1"), "0");
    EXPECT_EQ(WriteControlValue("Engine", "2"), "");
    EXPECT_EQ(ReadControlValue("Engine", "1"), "2");

    VIniControlStore bounded(ConfigFile(), "Zibolt", 1 << 20);
    EXPECT_EQ(bounded.Read("Sound", "1"), "1");
    EXPECT_NE(bounded.GetProblem().find("larger than 1 MiB"), std::string::npos)
        << bounded.GetProblem();
    EXPECT_FALSE(bounded.TryWrite("Sound", "1"));
    EXPECT_EQ(ReadControlValue("Sound", "1"), "0");
}

TEST_F(ControlSettings, AWriteKeepsTheFilesPermissionsAndLink)
{
    const fs::path real = dir_ / "dotfiles" / "control.ini";
    WriteFile(real, "[Zibolt]\nSound=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(ConfigFile().parent_path());
    fs::create_symlink(real, ConfigFile());
    EXPECT_EQ(WriteControlValue("Sound", "0"), "");
    EXPECT_TRUE(fs::is_symlink(ConfigFile()));
    EXPECT_EQ(ReadFile(real), "[Zibolt]\nSound=0\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ControlSettings, KeysAndValuesCannotForgeEntries)
{
    VIniControlStore store(ConfigFile(), "Zibolt");
    EXPECT_FALSE(store.TryWrite("a=b", "1"));
    EXPECT_FALSE(store.TryWrite("", "1"));
    EXPECT_FALSE(store.TryWrite("[Other]", "1"));
    EXPECT_TRUE(store.TryWrite("Skin", "Rusty\n[Other]\nSound=0"));
    EXPECT_EQ(store.Read("Sound", "1"), "1");
    EXPECT_EQ(store.Read("Skin", ""), "Rusty [Other] Sound=0");
    EXPECT_EQ(store.Read("a=b", "dflt"), "dflt");
    // A control byte would make the whole file read as binary data: a scene file named with
    // one gets no flag, a value keeps a space in its place, and the other settings stay.
    EXPECT_FALSE(store.TryWrite("Scene\x1b.vcs", "1"));
    EXPECT_TRUE(store.TryWrite("Dir", std::string("/a\0b\x01" "c", 6)));
    EXPECT_EQ(store.Read("Dir", ""), "/a b c");
    EXPECT_EQ(store.Read("Skin", ""), "Rusty [Other] Sound=0");
}

TEST_F(ControlSettings, TheSectionIsFoundAgainAfterOthersAndAddedWhenMissing)
{
    EXPECT_EQ(VIniControlStore::SetValue("[A]\nk=1", "Zibolt", "Dir", "/x"),
              "[A]\nk=1\n\n[Zibolt]\nDir=/x\n");
    // Only the first Zibolt section is updated; a key later in another section is not ours.
    const std::string twice = "[Zibolt]\nSound=1\n[B]\nDir=b\n[zibolt]\nDir=late\n";
    EXPECT_EQ(VIniControlStore::SetValue(twice, "Zibolt", "Dir", "/x"),
              "[Zibolt]\nSound=1\nDir=/x\n[B]\nDir=b\n[zibolt]\nDir=late\n");
    std::string value;
    EXPECT_TRUE(VIniControlStore::FindValue(twice, "ZIBOLT", "dir", value));
    EXPECT_EQ(value, "late");
}

TEST_F(ControlSettings, ASeamStoreReplacesTheFile)
{
    struct MemoryStore : VControlStore {
        std::string Read(const std::string& key, const std::string& d) override
        {
            return key == "Engine" ? "2" : d;
        }
        void Write(const std::string& key, const std::string& value) override { last = key; }
        std::string last;
    };
    auto* memory = new MemoryStore;
    SetControlStore(std::unique_ptr<VControlStore>(memory));
    EXPECT_EQ(ReadControlValue("Engine", "1"), "2");
    WriteControlValue("Skin", "x");
    EXPECT_EQ(memory->last, "Skin");
    EXPECT_FALSE(fs::exists(ConfigFile()));
}

TEST(ControlFileLocation, FollowsTheUsersConfigurationFolder)
{
    unsetenv("ZIBOLT_CONFIG_DIR");
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    std::string savedXdg = oldXdg ? oldXdg : "";
    std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "/tmp/xdg-here", 1);
    EXPECT_EQ(DefaultControlFile(), fs::path("/tmp/xdg-here/zibolt/control.ini"));
    setenv("XDG_CONFIG_HOME", "", 1);  // empty counts as unset
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(DefaultControlFile(), fs::path("/home/someone/.config/zibolt/control.ini"));
    if (oldXdg)
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", savedHome.c_str(), 1);
}
