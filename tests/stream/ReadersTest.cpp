#include <gtest/gtest.h>

#include <string>

#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VStreamWriter.h"

namespace {

using namespace std::string_literals;

// Runs `read` on the bytes and expects a VStreamException with exactly `message`.
template <class Read>
void ExpectStreamError(const std::string& bytes, Read read, const std::string& message)
{
    VMemoryStream in(bytes);
    int consumed = 0;
    try {
        read(in, consumed);
        FAIL() << "no exception for \"" << bytes << "\"";
    } catch (const VStreamException& e) {
        EXPECT_EQ(e.GetMessage(), message);
    }
}

auto readInt = [](std::istream& in, int& c) { LoadLongIntFromStream(in, c); };
auto readCoo = [](std::istream& in, int& c) { LoadCooFromStream(in, c); };

TEST(NumberTokens, ReadValueAndConsumedCount)
{
    struct Case {
        std::string bytes;
        int value;
        int consumed;
    } cases[] = {{"1402#", 1402, 5}, {"#", 0, 1}, {"-7#", -7, 3}, {"7-#", -7, 3},
                 {"1-2#", -12, 4}, {"2147483647#", 2147483647, 11}, {"-2147483648#", INT32_MIN, 12}};
    for (const auto& c : cases) {
        VMemoryStream in(c.bytes + "rest");
        int consumed = -1;
        EXPECT_EQ(LoadLongIntFromStream(in, consumed), c.value) << c.bytes;
        EXPECT_EQ(consumed, c.consumed) << c.bytes;
        EXPECT_EQ(in.get(), 'r') << "stream left after the #";
    }
}

TEST(NumberTokens, MalformedTokensThrowTheirMessages)
{
    ExpectStreamError("12a#", readInt, "Invalid char encountered in function LoadLongIntFromStream.");
    ExpectStreamError("12", readInt, "LoadLongIntFromStream reached unexpected end of stream.");
    ExpectStreamError("", readInt, "LoadLongIntFromStream started at end of stream.");
    ExpectStreamError("2147483648#", readInt,
                      "LoadLongIntFromStream: number 2147483648 is outside the 32-bit range.");
    ExpectStreamError("1234567890123456789#", readInt,
                      "LoadLongIntFromStream: number token longer than 18 characters.");
}

TEST(NumberTokens, InvalidCharLeavesStreamAtTheFault)
{
    VMemoryStream in("12a#"s);
    int consumed = 0;
    EXPECT_THROW(LoadLongIntFromStream(in, consumed), VStreamException);
    EXPECT_EQ(in.Position(), 3u);
}

TEST(Coordinates, ReadValues)
{
    struct Case {
        std::string bytes;
        float value;
        int consumed;
    } cases[] = {{"1#0", 0.0f, 3},      {"3#400", 400.0f, 5}, {"4#-1.5", -1.5f, 6},
                 {"2#.5", 0.5f, 4},     {"0#", 0.0f, 2},      {"3#1-2", -12.0f, 5},
                 {"5#12.25", 12.25f, 7}};
    for (const auto& c : cases) {
        VMemoryStream in(c.bytes);
        int consumed = 0;
        EXPECT_FLOAT_EQ(LoadCooFromStream(in, consumed), c.value) << c.bytes;
        EXPECT_EQ(consumed, c.consumed) << c.bytes;
    }
}

TEST(Coordinates, MalformedCoordinatesThrowTheirMessages)
{
    ExpectStreamError("5#1.2.3", readCoo, "Invalid char encountered in function LoadCooFromStream.");
    ExpectStreamError("2#1x", readCoo, "Invalid char encountered in function LoadCooFromStream.");
    ExpectStreamError("3#12", readCoo, "LoadCooFromStream reached unexpected end of stream.");
    ExpectStreamError("3#", readCoo, "LoadCooFromStream reached unexpected end of stream.");
    ExpectStreamError("", readCoo, "LoadCooFromStream started at end of stream.");
    ExpectStreamError("x#1", readCoo, "Invalid char encountered in function LoadLongIntFromStream.");
}

TEST(CountedTokens, PayloadsComeBackUnchanged)
{
    std::string payload = "a#b\0c\r\nd"s;
    std::string bytes = CountedToken("Stage") + CountedToken("") + CountedToken(payload);
    VMemoryStream in(bytes);
    int consumed = 0;
    EXPECT_EQ(LoadStringFromStream(in, consumed), "Stage");
    EXPECT_EQ(consumed, 7);
    EXPECT_EQ(LoadStringFromStream(in, consumed), "");
    EXPECT_EQ(consumed, 2);
    EXPECT_EQ(LoadStringFromStream(in, consumed), payload);
    EXPECT_EQ(consumed, static_cast<int>(2 + payload.size()));
}

TEST(CountedTokens, EndOfDataGivesEmptyTextAndKeepsTheCount)
{
    for (std::string bytes : {""s, "12"s}) {
        VMemoryStream in(bytes);
        int consumed = 42;
        std::string text = "x";
        EXPECT_TRUE(TryLoadStringFromStream(in, text, consumed));
        EXPECT_EQ(text, "");
        EXPECT_EQ(consumed, 42);
    }
}

TEST(CountedTokens, LengthsFollowAtolRules)
{
    VMemoryStream in("3x#abcZ"s);
    int consumed = 0;
    EXPECT_EQ(LoadStringFromStream(in, consumed), "abc");
    EXPECT_EQ(consumed, 6);
}

TEST(CountedTokens, HostileLengthsAreRefusedWithoutReadingPastTheData)
{
    // A length far beyond the data must neither allocate it nor succeed.
    VMemoryStream in("2000000000#abc"s);
    int consumed = 0;
    std::string text;
    try {
        LoadStringFromStream(in, consumed);
        FAIL();
    } catch (const VStreamException& e) {
        EXPECT_EQ(e.GetMessage(),
                  "LoadStringFromStream: counted token \"2000000000#\" is cut short: it declares "
                  "2000000000 bytes but the stream ends after 3.");
    }
    VMemoryStream cut("5#abc"s);
    EXPECT_FALSE(TryLoadStringFromStream(cut, text, consumed));
    VMemoryStream negative("-3#abc"s);
    EXPECT_FALSE(TryLoadStringFromStream(negative, text, consumed));
    VMemoryStream longLength("0000000000000000001#a"s);
    EXPECT_FALSE(TryLoadStringFromStream(longLength, text, consumed));
}

TEST(Colours, RGB24PrefixIsHexAndOthersAreNoColour)
{
    struct Case {
        std::string text;
        int32_t colour;
    } cases[] = {{"RGB24:FFFFFF", 16777215}, {"RGB24:00FF00", 0x00FF00}, {"rgb24:ff", 0xFF},
                 {"RGB:FF", -1},             {"FFFFFF", -1},            {"", -1}};
    for (const auto& c : cases) {
        VMemoryStream in(CountedToken(c.text));
        int consumed = 0;
        EXPECT_EQ(LoadColorFromStream(in, consumed), c.colour) << c.text;
        EXPECT_EQ(consumed, static_cast<int>(CountedToken(c.text).size()));
    }
}

TEST(Tags, LinesAreAppendedAndLookedUp)
{
    VTagList tags{"Old=1"};
    VMemoryStream in(CountedToken("Sterretje=True\nFrequency=50\nSpeed=20-50\n") +
                     CountedToken("") + CountedToken("a\n\nb"));
    int consumed = 0;
    LoadTagsFromStream(in, tags, consumed);
    EXPECT_EQ(tags.size(), 4u);
    LoadTagsFromStream(in, tags, consumed);
    EXPECT_EQ(tags.size(), 4u);
    LoadTagsFromStream(in, tags, consumed);
    ASSERT_EQ(tags.size(), 7u);
    EXPECT_EQ(GetTagValue(tags, "speed", ""), "20-50");
    EXPECT_EQ(GetTagValue(tags, "FREQUENCY", ""), "50");
    EXPECT_EQ(GetTagValue(tags, "missing", "fallback"), "fallback");
    EXPECT_EQ(GetTagValue(tags, "a", "fallback"), "") << "an entry without = has an empty value";
    auto it = FindTag(tags, "");
    ASSERT_NE(it, tags.end());
    EXPECT_EQ(*it, "");
}

TEST(TextHelpers, ConversionsAndSplits)
{
    EXPECT_TRUE(IsTrue("tRuE"));
    EXPECT_FALSE(IsTrue("False"));
    EXPECT_FALSE(IsTrue("True "));
    EXPECT_EQ(AsInt("12abc"), 12);
    EXPECT_EQ(AsInt("abc"), 0);
    EXPECT_EQ(AsLong("-45"), -45);
    EXPECT_DOUBLE_EQ(AsReal("250.5"), 250.5);
    EXPECT_FLOAT_EQ(AsSeconds("MS:100"), 0.1f);
    EXPECT_FLOAT_EQ(AsSeconds("ms:1500"), 1.5f);
    EXPECT_FLOAT_EQ(AsSeconds("S:100"), 0.0f);

    std::string text = "key=value=more";
    EXPECT_EQ(SplitHead(text, "="), "key");
    EXPECT_EQ(text, "value=more");
    std::string none = "plain";
    EXPECT_EQ(SplitHead(none, "="), "plain");
    EXPECT_EQ(none, "");
    EXPECT_EQ(Before("a:b:c", ":"), "a");
    EXPECT_EQ(Before("abc", ":"), "abc");
}

TEST(TextHelpers, CaseFoldingIsAsciiAndStopsAtNul)
{
    EXPECT_TRUE(SameText("VSTAGE", "vstage"));
    EXPECT_FALSE(SameText("Stage", "Stages"));
    EXPECT_TRUE(SameText("Stage\0junk"s, "stage"));
    EXPECT_FALSE(SameText("\xC4", "\xE4")) << "only A to Z fold";
    EXPECT_TRUE(SameText("[]", "[]"));
    EXPECT_FALSE(SameText("[", "{")) << "punctuation is not folded";
}

}  // namespace
