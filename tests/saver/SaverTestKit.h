#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/pixies/VPixieListWriter.h"
#include "engine/stream/VStreamWriter.h"
#include "platform/headless/VHeadlessScreensaverEngine.h"
#include "platform/headless/VHeadlessStage.h"
#include "saver/VAboutLauncher.h"
#include "saver/VSaverBindings.h"
#include "show/VControlSettings.h"

namespace savertest {

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string Art(const std::string& name)
{
    return ReadBytes(std::filesystem::path(ZIBOLT_SOURCE_DIR) / "assets" / "art" / "bmp" / name);
}

// Settings in memory: what a test puts in is read, what the show writes is kept.
class MemoryStore : public VControlStore {
public:
    explicit MemoryStore(std::map<std::string, std::string>& values) : values_(values) {}
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        ++reads[key];
        auto it = values_.find(key);
        return it == values_.end() ? fallback : it->second;
    }
    void Write(const std::string& key, const std::string& value) override { values_[key] = value; }
    std::map<std::string, int> reads;

private:
    std::map<std::string, std::string>& values_;
};

// The pieces of the main stream that the set-up looks for, from the committed art.
inline std::string ShowStream(bool withGear = true)
{
    VStreamWriter writer;
    writer.Header({"Version=1"});
    writer.Record("VStage", "Stage", VPropertyWriter().Text("Caption", "Test"));
    for (const char* name : {"Ship-Outline", "Ship-Skin", "Ship-Inside", "Ship-Land"}) {
        if (!withGear && std::string(name) == "Ship-Land")
            continue;
        writer.Record("VPicture", name,
                      VPropertyWriter().Raw("Surface", Art(std::string(name) + ".bmp")));
    }
    writer.Record("VSprite", "Ship-Engine",
                  VPropertyWriter()
                      .Raw("FrameList", FrameListPayload({FrameEntries(
                                            "on1a", Art("Ship-Engine/on1a.bmp"), "", 0, 0)}))
                      .Raw("SequenceList", SequenceListPayload({{"ON_1", {{"on1a"}}}})));
    writer.Record("VSprite", "Zibolt",
                  VPropertyWriter().Bool("Visible", true).Raw(
                      "FrameList",
                      FrameListPayload({FrameEntries("stand1", Art("Zibolt/stand1.bmp"), "", 0, 0),
                                        FrameEntries("s_l90", Art("Zibolt/s_l90.bmp"), "", 0, 0)})));
    for (const char* star : {"Star1", "Star2"})
        writer.Record("VSprite", star,
                      VPropertyWriter()
                          .Tags("Tag", {"Sterretje=True"})
                          .Raw("FrameList", FrameListPayload({FrameEntries(
                                                "a", Art("Star1/star1a.bmp"), "", 0, 0)})));
    writer.Record("VSprite", "NotAStar",
                  VPropertyWriter()
                      .Tags("Tag", {"Sterretje=False"})
                      .Raw("FrameList", FrameListPayload({FrameEntries(
                                            "a", Art("Star1/star1a.bmp"), "", 0, 0)})));
    return writer.Bytes();
}

// A headless stage with the saver's bindings, an engine the test configures, settings in
// memory and a data folder of its own.
class SaverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("zibolt-saver-" + std::string(info->name()) + "-" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        settings_["Dir"] = dir_.string();
        auto store = std::make_unique<MemoryStore>(settings_);
        store_ = store.get();
        SetControlStore(std::move(store));
        SetProgramLauncher([this](const std::string& path) { launched_.push_back(path); });
    }
    void TearDown() override
    {
        stage_.reset();
        bindings_.reset();
        SetProgramLauncher({});
        SetControlStore(nullptr);
        std::filesystem::remove_all(dir_);
    }

    // Builds the stage in `mode` and reads `stream`; the engine stays reachable as engine_.
    VHeadlessStage& Load(VHeadlessScreensaverEngine::Mode mode, const std::string& stream = ShowStream())
    {
        bindings_ = std::make_unique<VSaverBindings>();
        stage_ = std::make_unique<VHeadlessStage>();
        stage_->SetProgramDirectory("/opt/zibolt/bin");
        stage_->SetScreensaverEngineFactory([this, mode](VHeadlessStage&) {
            auto* engine = new VHeadlessScreensaverEngine(mode);
            engine_ = engine;
            return engine;
        });
        stage_->SetMainStream(stream);
        stage_->Load();
        return *stage_;
    }

    std::filesystem::path dir_;
    std::map<std::string, std::string> settings_;
    MemoryStore* store_ = nullptr;
    std::vector<std::string> launched_;
    std::unique_ptr<VSaverBindings> bindings_;
    std::unique_ptr<VHeadlessStage> stage_;
    VHeadlessScreensaverEngine* engine_ = nullptr;
};

}  // namespace savertest
