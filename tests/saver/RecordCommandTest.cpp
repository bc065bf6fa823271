#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/headless/VRecordCommand.h"
#include "show/VControlSettings.h"
#include "tests/platform/Decoders.h"

namespace {

std::optional<VRecordRequest> Parse(std::vector<std::string> args, std::string& error)
{
    return ParseRecordRequest(args, error);
}

}  // namespace

TEST(RecordArguments, DefaultsAndEveryOption)
{
    std::string error;
    auto plain = Parse({"--record", "a.gif", "--seconds", "2.5"}, error);
    ASSERT_TRUE(plain) << error;
    EXPECT_EQ(plain->output, "a.gif");
    EXPECT_DOUBLE_EQ(plain->seconds, 2.5);
    EXPECT_EQ(plain->width, 640);
    EXPECT_EQ(plain->height, 480);

    auto full = Parse({"--seconds", "1", "--size", "320x200", "--seed", "42", "--fps", "25",
                       "--data", "/d", "--stream", "s.vcs", "--record", "b.gif"},
                      error);
    ASSERT_TRUE(full) << error;
    EXPECT_EQ(full->width, 320);
    EXPECT_EQ(full->height, 200);
    EXPECT_EQ(full->seed, 42u);
    EXPECT_DOUBLE_EQ(full->fps, 25);
    EXPECT_EQ(full->dataDir, "/d");
    EXPECT_EQ(full->streamFile, "s.vcs");
}

TEST(RecordArguments, MistakesAreNamed)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--record", "a.gif"}, "--seconds is missing"},
        {{"--seconds", "3"}, "--record needs the GIF file to write"},
        {{"--record", "a.gif", "--seconds"}, "--seconds needs a value"},
        {{"--record", "a.gif", "--seconds", "0"}, "--seconds takes"},
        {{"--record", "a.gif", "--seconds", "1e9"}, "--seconds takes"},
        {{"--record", "a.gif", "--seconds", "2s"}, "--seconds takes"},
        {{"--record", "a.gif", "--seconds", "1", "--size", "640"}, "--size takes"},
        {{"--record", "a.gif", "--seconds", "1", "--size", "99999x10"}, "--size takes"},
        {{"--record", "a.gif", "--seconds", "1", "--size", "64.5x48"}, "--size takes"},
        {{"--record", "a.gif", "--seconds", "1", "--seed", "-1"}, "--seed takes"},
        {{"--record", "a.gif", "--seconds", "1", "--seed", "2.5"}, "--seed takes"},
        {{"--record", "a.gif", "--seconds", "1", "--seed", "4294967296"}, "--seed takes"},
        {{"--record", "a.gif", "--seconds", "1", "--fps", "500"}, "--fps takes"},
        {{"--record", "a.gif", "--seconds", "1", "--loud", "yes"}, "unknown option --loud"},
    };
    for (const auto& [args, message] : cases) {
        std::string error;
        EXPECT_FALSE(Parse(args, error));
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
    }
}

// One recording per process: it uses the program's start-up bindings.
TEST(RecordCommand, AShortRecordingIsAValidAnimatedGif)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("zibolt-record-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "data");
    // The user's settings file must stay untouched: point it into the test folder.
    setenv("ZIBOLT_CONFIG_DIR", (dir / "config").c_str(), 1);
    SetControlStore(nullptr);

    const std::string out = (dir / "show.gif").string();
    const std::string data = (dir / "data").string();
    const char* argv[] = {"zibolt", "--record", out.c_str(), "--seconds", "2",
                          "--size", "160x120", "--seed", "7", "--data", data.c_str()};
    ASSERT_EQ(RunRecordCommand(int(std::size(argv)), const_cast<char**>(argv)), 0);

    decode::Gif gif = decode::ReadGif(out);
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.width, 160);
    EXPECT_EQ(gif.height, 120);
    EXPECT_GE(gif.frames.size(), 2u);
    EXPECT_LE(gif.frames.size(), 21u);  // 10 a second
    // The show moves: not every frame is the first one again.
    std::set<std::vector<uint8_t>> distinct;
    for (const auto& frame : gif.frames)
        distinct.insert(frame.pixels);
    EXPECT_GE(distinct.size(), 2u);
    EXPECT_FALSE(fs::exists(dir / "config" / "control.ini"));

    unsetenv("ZIBOLT_CONFIG_DIR");
    fs::remove_all(dir);
}
