#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/stream/VComponentManager.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamWriter.h"
#include "platform/headless/VHeadlessStage.h"
#include "tests/tools/VcsTestSupport.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"

namespace {

struct Malformed {
    const char* what;
    std::string bytes;
    std::string message;  // a part of the message
    std::size_t offset;
};

std::string Head()
{
    return VStreamWriter().Bytes() + CountedToken("VStage") + CountedToken("Stage");  // 20 bytes
}

// Streams the engine refuses too: the listing gives the reader's message and where.
std::vector<Malformed> Cases()
{
    const std::string head = Head();
    const std::string tooLong = "1234567890123456789#";
    return {
        {"empty data", "", "AddComponentStream encountered an invalid header.", 0},
        {"wrong magic", "VCX0#", "AddComponentStream encountered an invalid header.", 2},
        {"magic cut", "VC", "AddComponentStream encountered an invalid header.", 2},
        {"header payload cut", "VCS5#ab", "LoadStringFromStream: counted token \"5#\" is cut short", 7},
        {"negative counted length", "VCS-1#", "has a negative length", 5},
        {"counted length too long", "VCS" + tooLong, "is longer than 18 characters", 3 + 18},
        {"class name cut", "VCS0#6#VSt", "is cut short", 10},
        {"no block length", head, "LoadLongIntFromStream started at end of stream.", 20},
        {"block length cut", head + "12", "LoadLongIntFromStream reached unexpected end of stream.", 22},
        {"invalid char", head + "1a#", "Invalid char encountered in function LoadLongIntFromStream.", 21},
        {"invalid char last", head + "1a", "Invalid char encountered in function LoadLongIntFromStream.", 21},
        {"number too long", head + tooLong, "LoadLongIntFromStream: number token longer than 18 characters.", 20 + 18},
        {"number out of range", head + "99999999999#", "outside the 32-bit range", 31},
        {"second record broken", head + "0#" + CountedToken("VTimer") + "4#Tick" + "x#",
         "Invalid char encountered in function LoadLongIntFromStream.", 36},
    };
}

// True when the engine reads the bytes without an error, as a scene file or as the main stream.
bool EngineReads(const std::string& bytes)
{
    VHeadlessStage stage;
    stage.SetMainStream(bytes);
    stage.Load();
    bool asMainStream = stage.GetReportedExceptions().empty();
    VComponentManager scene("scene.vcs", nullptr);
    VMemoryStream in(bytes);
    try {
        scene.AddComponentStream(&in);
        return true;
    } catch (const VException&) {
        return asMainStream;
    }
}

TEST(VcsMalformed, EachFaultGivesTheReadersMessageAndOffset)
{
    for (const auto& c : Cases()) {
        try {
            ParseStream(c.bytes);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const VcsStreamError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
            EXPECT_EQ(e.Offset(), c.offset) << c.what << ": " << e.what();
        }
    }
}

// Streams the engine reads although their blocks are not entries that add up, or that end
// inside a record: the listing keeps such parts raw and builds back every byte.
TEST(VcsMalformed, WhatTheEngineReadsListsAndBuildsBack)
{
    const std::string head = Head();
    const std::pair<const char*, std::string> streams[] = {
        {"unknown class, block of five bytes", "VCS0#" + CountedToken("VWidget") + CountedToken("w") + std::string("5#\x01\x02#\0\xff", 7)},
        {"entries overrun the block", head + "3#1#a1#b"},
        {"entries stop short of the block", head + "8#1#a1#b" + CountedToken("VTimer") + CountedToken("T") + "0#"},
        {"block beyond the data", head + "50#1#a1#b"},
        {"value cut at the data's end", head + "9#1#a5#bc"},
        {"negative block", head + "-3#" + CountedToken("VTimer") + CountedToken("T") + "0#"},
        {"a timer's entries overrun", "VCS0#" + CountedToken("VTimer") + CountedToken("T") + "4#8#Interval3#250"},
        {"no header token", "VCS"},
        {"header length cut", "VCS12"},
        {"header length not a number", "VCS1x#a"},
        {"class name without '#'", "VCS0#abc"},
        {"record ends after its class", "VCS0#6#VStage"},
    };
    for (const auto& [what, bytes] : streams) {
        EXPECT_TRUE(EngineReads(bytes)) << what;
        try {
            EXPECT_EQ(TokensThenBuild(bytes), bytes) << what;
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << ": " << e.what();
        }
    }
    std::string listing = StreamToJson(ParseStream(streams[0].second));
    EXPECT_NE(listing.find(R"("block": {"base64":"AQIjAP8="})"), std::string::npos) << listing;
}

std::string WriteTemp(const std::string& name, const std::string& bytes)
{
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(VcsMalformed, TokensCommandReportsOneLineAndExitsWithOne)
{
    VcsCommand tokens = TokensCommand();
    for (const auto& c : Cases()) {
        std::string path = WriteTemp("vcs_malformed.vcs", c.bytes);
        std::ostringstream out, err;
        EXPECT_EQ(tokens.run({path}, out, err), kVcsFailed) << c.what;
        std::string line = err.str();
        EXPECT_EQ(line.find("vcs: " + path + ": byte " + std::to_string(c.offset) + ": "), 0u) << line;
        EXPECT_EQ(line.find('\n'), line.size() - 1) << c.what << ": " << line;
        EXPECT_EQ(out.str(), "") << c.what;
    }
    std::ostringstream out, err;
    EXPECT_EQ(tokens.run({::testing::TempDir() + "no_such_file.vcs"}, out, err), kVcsFailed);
    EXPECT_NE(err.str().find("No such file"), std::string::npos) << err.str();
}

TEST(VcsMalformed, EveryCutThatTheEngineReadsBuildsBack)
{
    VPropertyWriter props;
    props.Text("Caption", "Hi").Tags("Tag", {"a=b"}).Raw("Bits", std::string("\0#\n", 3));
    std::string bytes = VStreamWriter().Header({"Type=Moving"}).Record("VStage", "Stage", props)
                            .Record("VTimer", "T", VPropertyWriter().Text("Interval", "250")).Bytes();
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        std::string cut = bytes.substr(0, n);
        try {
            EXPECT_EQ(TokensThenBuild(cut), cut) << "cut at " << n;
        } catch (const VcsStreamError& e) {
            EXPECT_LE(e.Offset(), n);
            EXPECT_FALSE(EngineReads(cut)) << "the engine reads the cut at " << n << "; vcs: " << e.what();
        }
    }
}

}  // namespace
