#include <gtest/gtest.h>

#include "platform/win32/VAboutValues.h"
#include "show/VControlSettings.h"
#include "tests/show/SettingsTempDir.h"

using AboutValues = SettingsTempDir;

// OK in the settings stores "Dir" only when the user chose a folder: storing the folder the
// show found by itself would pin it there, and moving the saver would lose every scene.
TEST_F(AboutValues, OkStoresTheFolderOnlyWhenTheUserChoseOne)
{
    WriteControlValue("Engine", "7");
    VAboutValues values = VAboutValues::Load("/found/beside");
    EXPECT_EQ(values.engine, "1");
    EXPECT_EQ(values.dir, "/found/beside");
    values.sound = false;
    values.Save();
    EXPECT_EQ(ReadControlValue("Sound", ""), "0");
    EXPECT_EQ(ReadControlValue("Dir", "unset"), "unset");

    values.dir = "/chosen";
    values.Save();
    EXPECT_EQ(ReadControlValue("Dir", ""), "/chosen");

    // Emptied, the folder is the show's own choice again.
    values = VAboutValues::Load("/chosen");
    values.dir.clear();
    values.Save();
    EXPECT_EQ(ReadControlValue("Dir", "unset"), "");
}
