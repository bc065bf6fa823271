#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "engine/stream/VReportLog.h"
#include "platform/sdl/VAboutSettings.h"
#include "platform/sdl/VSaverCommand.h"
#include "show/VControlSettings.h"
#include "tests/platform/TempDir.h"

namespace {

class MemoryStore : public VControlStore {
public:
    explicit MemoryStore(std::map<std::string, std::string>& values) : values_(values) {}
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        auto found = values_.find(key);
        return found == values_.end() ? fallback : found->second;
    }
    void Write(const std::string& key, const std::string& value) override
    {
        if (broken.empty())
            values_[key] = value;
    }
    std::string GetProblem() const override { return broken; }

    std::string broken;  // when set, nothing is stored and this is the reason

private:
    std::map<std::string, std::string>& values_;
};

class AboutSettingsTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        auto store = std::make_unique<MemoryStore>(values_);
        store_ = store.get();
        previous_ = SetControlStore(std::move(store));
        VReportLog::SetSharedPath(Path("zibolt.log"));
    }
    void TearDown() override
    {
        VReportLog::SetSharedPath(VReportLog::DefaultPath());
        SetControlStore(std::move(previous_));
        TempDirTest::TearDown();
    }
    void Touch(const std::string& name)
    {
        std::filesystem::create_directories(dir_ / "Skins");
        std::ofstream(dir_ / "Skins" / name) << "x";
    }

    std::map<std::string, std::string> values_;
    MemoryStore* store_ = nullptr;
    std::unique_ptr<VControlStore> previous_;
};

}  // namespace

TEST_F(AboutSettingsTest, DefaultsAndRoundTrip)
{
    VAboutSettings settings(dir_.string());
    settings.Load();
    EXPECT_TRUE(settings.IsSoundOn());
    EXPECT_EQ(settings.GetEngine(), "1");
    EXPECT_EQ(settings.GetSkin(), "");
    EXPECT_TRUE(settings.GetSkins().empty());  // no Skins folder at all
    EXPECT_EQ(settings.GetResolution(), "");
    settings.ToggleSound();
    settings.NextEngine();
    settings.NextResolution();
    EXPECT_TRUE(settings.Save());
    EXPECT_EQ(values_["Sound"], "0");
    EXPECT_EQ(values_["Engine"], "2");
    EXPECT_EQ(values_["Skin"], "");
    EXPECT_EQ(values_["Resolution"], "960x540");
}

TEST_F(AboutSettingsTest, ResolutionsAreTheShowsOwnAndCycleBackToTheDisplays)
{
    values_["Resolution"] = "1920X1080";
    VAboutSettings settings(dir_.string());
    settings.Load();
    settings.NextResolution();
    EXPECT_EQ(settings.GetResolution(), "");
    values_["Resolution"] = "800x600";  // written by hand: not offered, so start over
    settings.Load();
    settings.NextResolution();
    EXPECT_EQ(settings.GetResolution(), "");
    for (const std::string& size : VAboutSettings::Resolutions())
        EXPECT_TRUE(size.empty() || ParseResolution(size)) << size;
}

TEST_F(AboutSettingsTest, ASaveThatDidNotLandSaysWhy)
{
    VAboutSettings settings(dir_.string());
    store_->broken = "the settings file \"x\" is read-only";
    settings.Load();
    EXPECT_EQ(settings.GetProblem(), store_->broken);
    settings.ToggleSound();
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(settings.GetProblem(), store_->broken);
    EXPECT_TRUE(values_.empty());
    EXPECT_TRUE(settings.IsSoundOn());  // what the show will use, not the change that failed
    settings.ToggleSound();
    store_->broken.clear();
    EXPECT_TRUE(settings.Save());
    EXPECT_EQ(settings.GetProblem(), "");
}

TEST_F(AboutSettingsTest, EngineTypesCycleAndUnknownValuesStartOver)
{
    values_["Engine"] = "3";
    VAboutSettings settings(dir_.string());
    settings.Load();
    settings.NextEngine();
    EXPECT_EQ(settings.GetEngine(), "1");
    values_["Engine"] = "17";
    settings.Load();
    settings.NextEngine();
    EXPECT_EQ(settings.GetEngine(), "1");
    // Only "1" counts as sound on, as the show reads it.
    values_["Sound"] = "yes";
    settings.Load();
    EXPECT_FALSE(settings.IsSoundOn());
}

TEST_F(AboutSettingsTest, SkinsAreTheBitmapsInSkinsAndCycleThroughBuiltIn)
{
    Touch("Red.bmp");
    Touch("blue.BMP");
    Touch("notes.txt");
    std::filesystem::create_directories(dir_ / "Skins" / "Folder.bmp");
    VAboutSettings settings(dir_.string());
    settings.Load();
    ASSERT_EQ(settings.GetSkins(), (std::vector<std::string>{"Red", "blue"}));
    settings.NextSkin();
    EXPECT_EQ(settings.GetSkin(), "Red");
    settings.NextSkin();
    EXPECT_EQ(settings.GetSkin(), "blue");
    settings.NextSkin();
    EXPECT_EQ(settings.GetSkin(), "");
    // A skin named in another letter case, or one that is gone, moves on sensibly.
    values_["Skin"] = "RED";
    settings.Load();
    settings.NextSkin();
    EXPECT_EQ(settings.GetSkin(), "blue");
    values_["Skin"] = "Gone";
    settings.Load();
    settings.NextSkin();
    EXPECT_EQ(settings.GetSkin(), "");
}
