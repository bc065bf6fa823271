#include <gtest/gtest.h>

#include <filesystem>

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

TEST_F(ControlSettings, BrokenFilesGiveDefaultsAndAreNeverReplaced)
{
    const std::string binary("[Zibolt]\nSound=0\n\0\x01\x02", 20);
    WriteFile(ConfigFile(), binary);
    EXPECT_EQ(ReadControlValue("Sound", "1"), "1");
    WriteControlValue("Sound", "0");
    EXPECT_EQ(ReadFile(ConfigFile()), binary);

    // A folder where the file should be.
    fs::remove(ConfigFile());
    fs::create_directories(ConfigFile());
    EXPECT_EQ(ReadControlValue("Sound", "1"), "1");
    WriteControlValue("Sound", "0");
    EXPECT_TRUE(fs::is_directory(ConfigFile()));

    // Oversized: not read into memory, not touched.
    fs::remove(ConfigFile());
    WriteFile(ConfigFile(), "[Zibolt]\nSound=0\n" +
                                std::string(VIniControlStore::kMaxFileSize, ';'));
    EXPECT_EQ(ReadControlValue("Sound", "1"), "1");
    VIniControlStore store(ConfigFile(), "Zibolt");
    EXPECT_FALSE(store.TryWrite("Sound", "1"));
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
