#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "SettingsTempDir.h"
#include "engine/graphics/VTextRenderer.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VPixieListWriter.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VComponentRef.h"
#include "engine/stream/VStreamWriter.h"
#include "platform/headless/VHeadlessStage.h"
#include "show/RegisterShowClasses.h"
#include "show/VScene.h"
#include "show/VSceneKinds.h"
#include "show/VSceneManager.h"
#include "show/VShowStage.h"
#include "show/VSpaceShip.h"
#include "tests/stage/StageTestKit.h"

namespace scenetest {

// An 8-bit BMP of one palette index; entry i of its palette is (i, 255 - i, i / 2).
inline std::string Bmp(int width, int height, int index) { return stagetest::SolidBmp(width, height, index); }

inline VPropertyWriter PictureProps(int width, int height, int index, bool visible = true)
{
    VPropertyWriter props;
    props.Coo("XPos", 0).Coo("YPos", 0).Coo("ZPos", 5).Bool("Visible", visible)
        .Raw("Surface", Bmp(width, height, index));
    return props;
}

// A director over the named pixies: frames 1 to `frames`, each pixie at the same assignments
// in every frame, `frameLength` ms per frame.
inline VPropertyWriter DirectorProps(const std::vector<std::pair<std::string, std::string>>& tracks,
                                     int frames, int frameLength = 100)
{
    std::vector<VTupleEntry> tuples;
    for (int f = 1; f <= frames; ++f) {
        for (const auto& [pixie, assignments] : tracks)
            tuples.push_back({std::to_string(f), pixie, assignments});
    }
    VPropertyWriter props;
    props.Coo("XPos", 0).Coo("YPos", 0).Coo("ZPos", 0).Bool("Visible", true)
        .Text("FrameLength", std::to_string(frameLength)).Raw("Tupels", TupelsPayload(tuples));
    return props;
}

inline VPropertyWriter TextProps(const std::vector<std::string>& lines)
{
    VPropertyWriter props;
    props.Tags("Contents", lines);
    return props;
}

// The hero: frames for sitting, standing and the microphone; "getmic" and "awaymic" take
// 300 ms, the talk and listen sequences repeat.
inline VPropertyWriter HeroProps()
{
    VPropertyWriter props;
    props.Coo("XPos", 0).Coo("YPos", 0).Coo("ZPos", 0).Bool("Visible", true)
        .Raw("FrameList", FrameListPayload({FrameEntries("s_l90", Bmp(20, 40, 7), "", 0, 0),
                                            FrameEntries("s_l135", Bmp(20, 40, 8), "", 0, 0),
                                            FrameEntries("mic", Bmp(20, 40, 9), "", 0, 0)}))
        .Raw("SequenceList",
             SequenceListPayload({
                 {"TALK", {{"s_l90"}, {"s_l135"}}},
                 {"STAND", {{"s_l90"}}},
                 {"getmic", {{"mic"}, {"mic"}, {"mic"}}},
                 {"awaymic", {{"s_l90"}, {"s_l90"}, {"s_l90"}}},
                 {"TALKSIT", {{"s_l135"}, {"s_l90"}}},
                 {"LISTENSIT", {{"s_l90"}}},
             }));
    return props;
}

inline VPropertyWriter EngineProps()
{
    VPropertyWriter props;
    props.Bool("Visible", false)
        .Raw("FrameList", FrameListPayload({FrameEntries("flame", Bmp(30, 20, 4), "", 0, 0)}))
        .Raw("SequenceList", SequenceListPayload({{"ON_1", {{"flame"}}}, {"OFF_1", {{"flame"}}}}));
    return props;
}

// The main stream: the ship's pictures and engine, the hero and, unless left out, the
// climbing directors "GetOut" and "GetIn" (5 and 4 frames of 100 ms, or without key frames).
inline std::string MainStream(bool shipDirectors = true, bool emptyShipDirectors = false)
{
    VStreamWriter writer;
    writer.Header({"Version=1"})
        .Record("VStage", "Stage", VPropertyWriter().Text("Caption", "Scenes").Bool("Fullscreen", true))
        .Record("VPicture", "Ship-Outline", PictureProps(120, 100, 1))
        .Record("VPicture", "Ship-Skin", PictureProps(120, 60, 2))
        .Record("VPicture", "Ship-Inside", PictureProps(60, 40, 3, false))
        .Record("VPicture", "Ship-Land", PictureProps(100, 40, 6))
        .Record("VSprite", "Ship-Engine", EngineProps())
        .Record("VSprite", "Zibolt", HeroProps());
    if (shipDirectors && emptyShipDirectors) {
        writer.Record("VDirector", "GetOut", DirectorProps({}, 0));
        writer.Record("VDirector", "GetIn", DirectorProps({}, 0));
    } else if (shipDirectors) {
        writer.Record("VDirector", "GetOut",
                      DirectorProps({{"Ship-Inside", "XPos=4;YPos=6;ZPos=2;Visible=True;"},
                                     {"Zibolt", "XPos=30;YPos=-60;ZPos=0;Visible=True;"}},
                                    5));
        writer.Record("VDirector", "GetIn",
                      DirectorProps({{"Ship-Inside", "XPos=4;YPos=6;ZPos=2;Visible=True;"}}, 4));
    }
    return writer.Bytes();
}

// Text that measures 8 pixels a byte on lines 10 high and paints nothing: balloons can be
// composed without a font.
class QuietTextPainter : public VTextPainter {
public:
    explicit QuietTextPainter(int* balloons) : balloons_(balloons) {}
    VTextExtent MeasureLine(std::string_view text) override { return {int32_t(text.size() * 8), 10}; }
    VTextBox MeasureWrapped(std::string_view, VTextBox box) override
    {
        box.bottom = box.top + 10;
        return box;
    }
    void DrawWrapped(std::string_view, const VTextBox&) override { ++*balloons_; }
    void Polygon(const VPoint*, std::size_t) override {}

private:
    int* balloons_;
};

class QuietTextRenderer : public VTextRenderer {
public:
    std::unique_ptr<VTextPainter> Begin(VDib&, const VTextFont&) override
    {
        return std::make_unique<QuietTextPainter>(&balloonsDrawn);
    }
    int balloonsDrawn = 0;
};

// A headless stage with the main stream, the ship and a started scene manager, as the show's
// set-up builds them, over settings of its own.
class SceneStage : public SettingsTempDir {
protected:
    void SetUp() override
    {
        SettingsTempDir::SetUp();
        RegisterShowClasses();
        SetTextRenderer(&text_);
        Build(true);
    }
    void TearDown() override
    {
        stage_.reset();
        SetTextRenderer(nullptr);
        SettingsTempDir::TearDown();
    }

    void Build(bool shipDirectors, bool emptyShipDirectors = false)
    {
        stage_.reset();
        stage_ = std::make_unique<VHeadlessStage>();
        stage_->SetMainStream(MainStream(shipDirectors, emptyShipDirectors));
        stage_->Load();
        ASSERT_TRUE(stage_->GetReportedExceptions().empty()) << stage_->GetReportedExceptions()[0];
        hero_ = ComponentRef<VSprite>("Zibolt").Get();
        ship_ = new VSpaceShip(ComponentRef<VPicture>("Ship-Outline")->GetSurface(),
                               ComponentRef<VPicture>("Ship-Skin")->GetSurface(),
                               ComponentRef<VPicture>("Ship-Inside")->GetSurface(),
                               ComponentRef<VPicture>("Ship-Land")->GetSurface(),
                               ComponentRef<VSprite>("Ship-Engine").Get(), hero_, *stage_);
        stage_->GetChildren().push_back(ship_);
        manager_ = new VSceneManager(ship_, hero_, stage_.get());
    }

    // Makes a scene from a scene file's bytes as the loader does, but keeps it out of the
    // manager's choice, so that it runs once, when the test starts it.
    template <class Kind>
    Kind* MakeScene(const std::string& fileName, const VStreamWriter& file)
    {
        auto* components = new VComponentManager(fileName, manager_);
        std::istringstream in(file.Bytes());
        components->AddComponentStream(&in);
        components->AddComponentsTo(*stage_);
        VScene* scene = CreateScene(GetTagValue(components->GetHeader(), "Type", ""), fileName,
                                    components, manager_);
        components->RemoveComponentsFrom(*stage_);
        EXPECT_NE(dynamic_cast<Kind*>(scene), nullptr) << fileName;
        return dynamic_cast<Kind*>(scene);
    }

    // The show as the set-up leaves it: ship centred, floaters on, the manager running.
    void StartShow()
    {
        manager_->StartShow();
        stage_->RunFor(1);
    }

    // A pixie of the stage or of a started scene file.
    template <class T = VPixie>
    T* Find(const std::string& name)
    {
        return dynamic_cast<T*>(stage_->FindComponent(name));
    }

    // Runs the show in steps of `step` ms until `done` holds or `limit` ms have passed;
    // calls `each` after every step. The show time when it stopped.
    double RunUntil(const std::function<bool()>& done, double limit,
                    const std::function<void()>& each = {}, double step = 5)
    {
        for (double t = 0; t < limit && !done(); t += step) {
            stage_->RunFor(step);
            if (each)
                each();
        }
        return stage_->GetTime();
    }

    float StageW() { return StageRect(*stage_).width; }
    float StageH() { return StageRect(*stage_).height; }

    QuietTextRenderer text_;
    std::unique_ptr<VHeadlessStage> stage_;
    VSprite* hero_ = nullptr;
    VSpaceShip* ship_ = nullptr;
    VSceneManager* manager_ = nullptr;
};

// The state of a scene at every step and when it changed.
struct StateLog {
    std::vector<int> states;
    std::vector<double> times;
    void Note(int state, double time)
    {
        if (states.empty() || states.back() != state) {
            states.push_back(state);
            times.push_back(time);
        }
    }
    // Time from entering the i-th noted state to entering the next one.
    double Span(std::size_t i) const { return times.at(i + 1) - times.at(i); }
};

}  // namespace scenetest
