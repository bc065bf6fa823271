#include <gtest/gtest.h>

#include "platform/win32/VSaverOptions.h"

// The display settings start a saver as "<path> /s", "<path> /p 4711", "<path> /c:1234" or
// with no arguments at all; the path may be quoted and may itself hold option-like text.

TEST(SaverOptions, PreviewHandleInEitherCase)
{
    for (const char* line : {"C:\\Windows\\Zibolt.scr /p 4711", "C:\\Windows\\Zibolt.scr /P 4711",
                             "Zibolt.scr /p:4711", "Zibolt.scr  /p   4711  "}) {
        VSaverOptions options(line);
        EXPECT_TRUE(options.IsPreview()) << line;
        EXPECT_FALSE(options.IsConfigure()) << line;
        EXPECT_EQ(options.GetWindowAfter("/p"), 4711) << line;
    }
    // A 64-bit handle keeps its upper half.
    EXPECT_EQ(VSaverOptions("Zibolt.scr /p 4294967297").GetWindowAfter("/p"), 4294967297LL);
    EXPECT_EQ(VSaverOptions("Zibolt.scr /p").GetWindowAfter("/p"), 0);
    EXPECT_EQ(VSaverOptions("Zibolt.scr /s").GetWindowAfter("/p"), 0);
}

TEST(SaverOptions, ConfigureWithNoArgumentsOrSlashC)
{
    // The settings dialog's "Settings" button passes nothing; the path alone is not "empty".
    EXPECT_TRUE(VSaverOptions("C:\\Windows\\Zibolt.scr").IsConfigure());
    EXPECT_TRUE(VSaverOptions("\"C:\\Program Files\\Zibolt\\Zibolt.scr\"   ").IsConfigure());
    VSaverOptions configure("Zibolt.scr /c:1234");
    EXPECT_TRUE(configure.IsConfigure());
    EXPECT_EQ(configure.GetArguments(), "/c:1234");
    EXPECT_FALSE(VSaverOptions("Zibolt.scr /s").IsConfigure());
}

TEST(SaverOptions, ThePathNeverCountsAsOptions)
{
    // Forward slashes in a path are legal; "/c" and "/p" in it must not change the mode.
    VSaverOptions quoted("\"C:/c/p d/Zibolt.scr\" /s");
    EXPECT_FALSE(quoted.IsConfigure());
    EXPECT_FALSE(quoted.IsPreview());
    EXPECT_EQ(quoted.GetArguments(), "/s");
    VSaverOptions bare("C:/a/d/Zibolt.scr /S");
    EXPECT_FALSE(bare.IsPasswordChange());
    EXPECT_FALSE(bare.IsDebug());
    EXPECT_EQ(bare.GetArguments(), "/s");
    // An unterminated quote takes the whole line as the path.
    EXPECT_TRUE(VSaverOptions("\"C:/x /p 5").IsConfigure());
}

TEST(SaverOptions, PasswordChangeAndDebug)
{
    VSaverOptions change("Zibolt.scr /A 99");
    EXPECT_TRUE(change.IsPasswordChange());
    EXPECT_EQ(change.GetWindowAfter("/a"), 99);
    EXPECT_TRUE(VSaverOptions("Zibolt.scr /d").IsDebug());
    EXPECT_TRUE(VSaverOptions("\tZibolt.scr\t/D").IsDebug());
}
