#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/stream/VStreamWriter.h"
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

std::vector<Malformed> Cases()
{
    const std::string head = Head();
    const std::string tooLong = "1234567890123456789#";
    return {
        {"empty data", "", "AddComponentStream encountered an invalid header.", 0},
        {"wrong magic", "VCX0#", "AddComponentStream encountered an invalid header.", 2},
        {"magic cut", "VC", "AddComponentStream encountered an invalid header.", 2},
        {"no header token", "VCS", "the header token is missing", 3},
        {"header length cut", "VCS12", "the header token is cut short", 3},
        {"header payload cut", "VCS5#ab", "LoadStringFromStream: counted token \"5#\" is cut short", 7},
        {"header length not a number", "VCS1x#a", "has the length \"1x\", which is not a number", 4},
        {"negative counted length", "VCS-1#", "has a negative length", 5},
        {"counted length too long", "VCS" + tooLong, "is longer than 18 characters", 3 + 18},
        {"class name cut", "VCS0#6#VSt", "is cut short", 10},
        {"class name without '#'", "VCS0#abc", "record 0: the class name is cut short", 5},
        {"record ends after its class", "VCS0#6#VStage", "record 0 (class \"VStage\") ends after its class name", 13},
        {"no block length", head, "LoadLongIntFromStream started at end of stream.", 20},
        {"block length cut", head + "12", "LoadLongIntFromStream reached unexpected end of stream.", 22},
        {"invalid char", head + "1a#", "Invalid char encountered in function LoadLongIntFromStream.", 21},
        {"invalid char last", head + "1a", "Invalid char encountered in function LoadLongIntFromStream.", 21},
        {"number too long", head + tooLong, "LoadLongIntFromStream: number token longer than 18 characters.", 20 + 18},
        {"number out of range", head + "99999999999#", "outside the 32-bit range", 31},
        {"negative block", head + "-3#", "the property block length -3 is negative", 20},
        {"entries overrun the block", head + "3#1#a1#b", "do not add up to the block length 3: property \"a\" runs past", 22},
        {"entries stop short of the block", head + "8#1#a1#b" + CountedToken("VTimer") + CountedToken("T") + "0#",
         "do not add up to the block length 8: property 1 runs past the block's end at byte 30", 28},
        {"block beyond the data", head + "50#1#a1#b", "the data ends 6 bytes into its property block, which declares 50.", 29},
        {"value cut at the data's end", head + "9#1#a5#bc", "counted token \"5#\" is cut short", 29},
        {"second record broken", head + "0#" + CountedToken("VTimer") + "4#Tick" + "x#",
         "Invalid char encountered in function LoadLongIntFromStream.", 36},
    };
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

TEST(VcsMalformed, BlockMismatchNamesTheRecord)
{
    std::string bytes = VStreamWriter().Record("VStage", "Stage", VPropertyWriter()).Bytes() +
                        CountedToken("VTimer") + CountedToken("Tick") + "4#" + CountedToken("Interval") + "3#250";
    try {
        ParseStream(bytes);
        FAIL();
    } catch (const VcsStreamError& e) {
        EXPECT_NE(std::string(e.what()).find("record 1 (class \"VTimer\", name \"Tick\")"), std::string::npos) << e.what();
    }
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

TEST(VcsMalformed, EveryCutOfAStreamIsReportedNotCrashed)
{
    VPropertyWriter props;
    props.Text("Caption", "Hi").Tags("Tag", {"a=b"}).Raw("Bits", std::string("\0#\n", 3));
    std::string bytes = VStreamWriter().Header({"Type=Moving"}).Record("VStage", "Stage", props).Bytes();
    int accepted = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        try {
            std::string cut = bytes.substr(0, n);
            EXPECT_EQ(TokensThenBuild(cut), cut);
            ++accepted;  // only the cut after the header token ends cleanly
        } catch (const VcsStreamError& e) {
            EXPECT_LE(e.Offset(), n);
        }
    }
    EXPECT_EQ(accepted, 1);
}

}  // namespace
