#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphics/VWordWrap.h"

namespace {

VAdvanceTable TenEach()
{
    VAdvanceTable advances{};
    for (int i = 0x20; i < 256; ++i)
        advances[i] = 10;
    return advances;
}

std::vector<std::string> Wrap(const std::string& text, int64_t width)
{
    std::vector<std::string> out;
    for (const VWrappedLine& line : WrapText(text, width, TenEach())) {
        out.push_back(text.substr(line.begin, line.end - line.begin));
        EXPECT_EQ(line.width, TextWidth(out.back(), TenEach()));
    }
    return out;
}

using Lines = std::vector<std::string>;

TEST(WordWrap, BreaksBetweenWordsThatDoNotFit)
{
    EXPECT_EQ(Wrap("the cat sat on it", 70), (Lines{"the cat", "sat on", "it"}));
    EXPECT_EQ(Wrap("the cat", 70), (Lines{"the cat"})) << "exactly the width fits";
    EXPECT_EQ(Wrap("the cat", 69), (Lines{"the", "cat"}));
    EXPECT_EQ(Wrap("a  b", 30), (Lines{"a", "b"})) << "the spaces at a break go";
    EXPECT_EQ(Wrap("a  b", 40), (Lines{"a  b"})) << "inside a line they stay";
}

TEST(WordWrap, LineEndsAndSpacesAtTheEdges)
{
    EXPECT_EQ(Wrap("ab\ncd\r\nef", 1000), (Lines{"ab", "cd", "ef"}));
    EXPECT_EQ(Wrap("ab\n", 1000), (Lines{"ab"})) << "a final LF begins no line";
    EXPECT_EQ(Wrap("ab\n\ncd", 1000), (Lines{"ab", "", "cd"}));
    EXPECT_EQ(Wrap("", 1000), Lines{});
    EXPECT_EQ(Wrap("  ab  ", 1000), (Lines{"  ab"})) << "leading spaces stay, trailing go";
}

TEST(WordWrap, LongWordStandsAloneUnbroken)
{
    EXPECT_EQ(Wrap("a verylongword b", 50), (Lines{"a", "verylongword", "b"}));
    EXPECT_EQ(Wrap("one two", 0), (Lines{"one", "two"}));
    EXPECT_EQ(WrapText("verylongword", 50, TenEach())[0].width, 120);
}

}  // namespace
