#include <gtest/gtest.h>

#include "platform/sdl/VSaverCommand.h"

namespace {

VSaverCommand Parse(std::vector<std::string> args, const char* env = nullptr)
{
    return ParseSaverCommand(args, env);
}

}  // namespace

TEST(SaverCommand, WindowsOptionsPickTheirModes)
{
    EXPECT_EQ(Parse({}).mode, VSaverMode::Window);
    EXPECT_EQ(Parse({"/s"}).mode, VSaverMode::Run);
    EXPECT_EQ(Parse({"/S"}).mode, VSaverMode::Run);
    EXPECT_EQ(Parse({"--fullscreen"}).mode, VSaverMode::Run);
    EXPECT_EQ(Parse({"/d"}).mode, VSaverMode::Debug);
    EXPECT_EQ(Parse({"/a"}).mode, VSaverMode::Password);
    EXPECT_EQ(Parse({"/c:1234"}).mode, VSaverMode::Configure);
    EXPECT_TRUE(Parse({"/c:1234"}).error.empty());
}

TEST(SaverCommand, PreviewTakesTheHostWindowInEveryForm)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"/p", "4711"}, {"/P", "4711"}, {"/p:4711"}, {"/p", " 4711 "}, {"/p", "0x1267"}}) {
        const VSaverCommand command = Parse(args);
        EXPECT_EQ(command.mode, VSaverMode::Preview) << args[0];
        EXPECT_EQ(command.window, 4711u) << args[0];
        EXPECT_TRUE(command.error.empty()) << command.error;
    }
    EXPECT_FALSE(Parse({"/p"}).error.empty());
    EXPECT_FALSE(Parse({"/p", "window"}).error.empty());
    EXPECT_FALSE(Parse({"/p", "0"}).error.empty());
}

TEST(SaverCommand, PrecedenceFollowsTheWindowsOrder)
{
    EXPECT_EQ(Parse({"/p", "5", "/c"}).mode, VSaverMode::Configure);
    EXPECT_EQ(Parse({"/d", "/p", "5"}).mode, VSaverMode::Preview);
    EXPECT_EQ(Parse({"/s", "/d"}).mode, VSaverMode::Debug);
    EXPECT_EQ(Parse({"/c", "/a"}).mode, VSaverMode::Password);
}

TEST(SaverCommand, PathsWithSlashesAreNoOptions)
{
    // Only whole arguments count: a path is no "/p", "/c" or "/d" on Linux.
    const VSaverCommand command = Parse({"/home/pat/zibolt"});
    EXPECT_NE(command.mode, VSaverMode::Preview);
    EXPECT_NE(command.mode, VSaverMode::Configure);
    EXPECT_FALSE(command.error.empty());
    EXPECT_FALSE(Parse({"/sx"}).error.empty());
}

TEST(SaverCommand, ScreenSaverWindows)
{
    VSaverCommand byId = Parse({"--window-id", "0x2a"});
    EXPECT_EQ(byId.mode, VSaverMode::Foreign);
    EXPECT_EQ(byId.window, 42u);
    EXPECT_FALSE(byId.root);

    VSaverCommand rootAlone = Parse({"--root"});
    EXPECT_EQ(rootAlone.mode, VSaverMode::Foreign);
    EXPECT_TRUE(rootAlone.root);
    EXPECT_EQ(rootAlone.window, 0u);

    VSaverCommand fromEnv = Parse({"-root"}, "0x400007");
    EXPECT_EQ(fromEnv.window, 0x400007u);
    EXPECT_FALSE(fromEnv.root);
    // The environment alone chooses nothing: the options do.
    EXPECT_EQ(Parse({}, "0x400007").mode, VSaverMode::Window);
    EXPECT_FALSE(Parse({"--root"}, "junk").error.empty());
    EXPECT_FALSE(Parse({"--window-id"}).error.empty());
}

TEST(SaverCommand, SettingsAndRecording)
{
    VSaverCommand command =
        Parse({"--no-sound", "--engine", "2", "--skin", "Red", "--resolution", "1280x720", "/s"});
    EXPECT_EQ(command.mode, VSaverMode::Run);
    EXPECT_EQ(command.sound.value_or(""), "0");
    EXPECT_EQ(command.engine.value_or(""), "2");
    EXPECT_EQ(command.skin.value_or(""), "Red");
    EXPECT_EQ(command.resolution.value_or(""), "1280x720");
    EXPECT_FALSE(Parse({"--engine"}).error.empty());

    // Everything after --record belongs to the recording command, even what looks like ours.
    VSaverCommand record = Parse({"--record", "-o", "x.gif", "/s"});
    EXPECT_EQ(record.mode, VSaverMode::Record);
    EXPECT_EQ(record.recordArgs, (std::vector<std::string>{"-o", "x.gif", "/s"}));
    EXPECT_TRUE(record.error.empty());
}

TEST(SaverCommand, Resolutions)
{
    auto r = ParseResolution("1280x720");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->width, 1280);
    EXPECT_EQ(r->height, 720);
    EXPECT_TRUE(ParseResolution(" 640 X 480 "));
    EXPECT_TRUE(ParseResolution("800*600"));
    for (const char* bad : {"", "native", "x720", "1280x", "12x720", "1280x720x2", "99999x99999",
                            "-5x10", "1e3x720"})
        EXPECT_FALSE(ParseResolution(bad)) << bad;
}
