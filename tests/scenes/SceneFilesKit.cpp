#include "tests/scenes/SceneFilesKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "assets/MainStream.h"
#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPixieSequencer.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VText.h"
#include "platform/freetype/VFreeTypeTextRenderer.h"
#include "show/RegisterShowClasses.h"
#include "show/VRandom.h"
#include "show/VSceneManager.h"

namespace scenefiles {

std::filesystem::path DataDir() { return ZIBOLT_DATA_DIR; }

std::vector<std::string> SceneFileNames()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataDir())) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() > 4 && SameText(name.substr(name.size() - 4), ".vcs"))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Balloons(const VTextBlock& text)
{
    std::vector<std::string> balloons(1);
    for (const std::string& line : text.GetLines()) {
        if (SameText(line, "***"))
            balloons.emplace_back();
        else
            balloons.back() += line + "\n";
    }
    return balloons;
}

double TalkMs(const VTextBlock* text)
{
    if (!text)
        return 0;
    double ms = 0;
    for (const std::string& balloon : Balloons(*text))
        ms += 800 + 30.0 * balloon.size() + 500;
    return ms;
}

double PassMs(const VDirector* director)
{
    return director ? (director->GetLastFrame() + 1) * director->GetFrameLength() : 0;
}

double SequenceMs(const VSprite& sprite, const std::string& name)
{
    const VPixieSequencer* sequence = sprite.FindSequence(name);
    double ms = 0;
    if (sequence)
        for (const auto& step : sequence->GetSteps())
            ms += step->GetTime();
    return ms;
}

std::vector<std::string> ListEntries(const std::string& list)
{
    std::vector<std::string> entries;
    std::string rest = list;
    while (!rest.empty())
        entries.push_back(SplitHead(rest, ","));
    return entries;
}

std::vector<PathPoint> PathPoints(std::string path)
{
    std::vector<PathPoint> points;
    while (!path.empty()) {
        std::string point = SplitHead(path, "|");
        double x = std::atof(SplitHead(point, ",").c_str());
        double y = std::atof(SplitHead(point, ",").c_str());
        points.push_back({x, y, std::atof(point.c_str())});
    }
    return points;
}

MainStage::MainStage() : stage_(std::make_unique<VHeadlessStage>())
{
    stage_->GetSetup().windowRect = VRect(0, 0, 800, 600);
    stage_->SetMainStream(std::string(MainStreamData()));
    stage_->Load();
}

std::unique_ptr<VComponentManager> ReadSceneFile(const std::string& fileName)
{
    auto components = std::make_unique<VComponentManager>(fileName, nullptr);
    std::ifstream in(DataDir() / fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + fileName);
    components->AddComponentStream(&in);
    return components;
}

class ShowRun::Store : public VControlStore {
public:
    Store(std::map<std::string, std::string>& values, std::map<std::string, int>& writes)
        : values_(values), writes_(writes)
    {
    }
    std::string Read(const std::string& key, const std::string& fallback) override
    {
        for (const auto& [name, value] : values_)
            if (SameText(name, key))
                return value;
        return fallback;
    }
    void Write(const std::string& key, const std::string& value) override
    {
        values_[key] = value;
        ++writes_[key];
    }

private:
    std::map<std::string, std::string>& values_;
    std::map<std::string, int>& writes_;
};

ShowRun::ShowRun(const std::vector<std::string>& sceneFiles, unsigned seed, int width, int height)
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string label = info ? std::string(info->test_suite_name()) + "-" + info->name() : "run";
    std::replace(label.begin(), label.end(), '/', '-');
    dir_ = std::filesystem::temp_directory_path() / ("zibolt-scenes-" + label);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    for (const std::string& name : sceneFiles)
        std::filesystem::copy_file(DataDir() / name, dir_ / name);
    settings_["Dir"] = dir_.string();
    SetControlStore(std::make_unique<Store>(settings_, writes_));
    FixRandomSeed(seed);
    InstallFreeTypeTextRenderer();
    RegisterShowClasses();
    bindings_ = std::make_unique<VSaverBindings>();
    stage_ = std::make_unique<VHeadlessStage>();
    stage_->SetProgramDirectory(dir_.string());
    stage_->SetScreenSize(width, height);
    stage_->SetSeed(seed);
    stage_->SetMainStream(std::string(MainStreamData()));
    stage_->Load();
}

ShowRun::~ShowRun()
{
    stage_.reset();
    bindings_.reset();
    UnfixRandomSeed();
    SetControlStore(nullptr);
    std::filesystem::remove_all(dir_);
}

VSceneManager& ShowRun::Manager()
{
    auto* manager = dynamic_cast<VSceneManager*>(stage_->FindComponent("DezoRivaduz"));
    if (!manager)
        throw std::runtime_error("the show has no scene manager");
    return *manager;
}

}  // namespace scenefiles
