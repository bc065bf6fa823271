#include <gtest/gtest.h>

#include "engine/stage/VStage.h"
#include "saver/VScreensaver.h"
#include "tests/saver/SaverTestKit.h"

using savertest::SaverTest;
using Mode = VHeadlessScreensaverEngine::Mode;
using Kind = VHeadlessInput::Kind;

namespace {

VScreensaver& Saver(VStage& stage)
{
    auto* saver = dynamic_cast<VScreensaver*>(stage.FindComponent("Screensaver"));
    EXPECT_NE(saver, nullptr);
    return *saver;
}

}  // namespace

using ScreensaverInput = SaverTest;

TEST_F(ScreensaverInput, SToggleSoundAtKeyUpAndNeverEnds)
{
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    ASSERT_TRUE(stage.IsSoundEnabled());  // "Sound" defaults to on
    stage.AddInput(VHeadlessInput::Key(150, Kind::KeyDown, 83));
    stage.AddInput(VHeadlessInput::Key(160, Kind::KeyUp, 83));
    stage.RunFor(100);
    EXPECT_FALSE(stage.IsSoundEnabled());
    stage.AddInput(VHeadlessInput::Key(250, Kind::KeyDown, 115));
    stage.AddInput(VHeadlessInput::Key(260, Kind::KeyUp, 115));
    stage.RunFor(100);
    EXPECT_TRUE(stage.IsSoundEnabled());
    EXPECT_FALSE(stage.IsQuitRequested());
    EXPECT_EQ(engine_->GetCanEndCount(), 0);
    // Another key's release leaves the sound alone.
    stage.AddInput(VHeadlessInput::Key(350, Kind::KeyUp, 65));
    stage.RunFor(100);
    EXPECT_TRUE(stage.IsSoundEnabled());
}

TEST_F(ScreensaverInput, OtherKeysEndThroughThePasswordCheck)
{
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    engine_->SetCanEnd(false);
    stage.AddInput(VHeadlessInput::Key(150, Kind::KeyDown, 65));
    stage.RunFor(100);
    EXPECT_EQ(engine_->GetCanEndCount(), 1);  // the binding alone acts once the show runs
    EXPECT_FALSE(stage.IsQuitRequested());
    EXPECT_FALSE(Saver(stage).IsEnding());
    engine_->SetCanEnd(true);
    stage.AddInput(VHeadlessInput::Key(250, Kind::KeyDown, 32));
    stage.RunFor(100);
    EXPECT_TRUE(stage.IsQuitRequested());
    EXPECT_EQ(engine_->GetCanEndCount(), 2);
}

TEST_F(ScreensaverInput, MouseMustTravelMoreThanFivePixelsBetweenTwoMoves)
{
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    stage.AddInput(VHeadlessInput::Mouse(110, Kind::MouseMove, 300, 200));  // only recorded
    stage.AddInput(VHeadlessInput::Mouse(120, Kind::MouseMove, 303, 204));  // exactly 5
    stage.AddInput(VHeadlessInput::Mouse(130, Kind::MouseMove, 306, 208));  // 5 from the last
    stage.RunFor(100);
    EXPECT_FALSE(stage.IsQuitRequested());
    EXPECT_EQ(engine_->GetCanEndCount(), 0);
    EXPECT_EQ(Saver(stage).GetLastMouseX(), 306);

    // A refused end re-arms: the move that asked is recorded, the next is measured from it.
    engine_->SetCanEnd(false);
    stage.AddInput(VHeadlessInput::Mouse(210, Kind::MouseMove, 312, 208));  // 6: asks, refused
    stage.AddInput(VHeadlessInput::Mouse(220, Kind::MouseMove, 316, 208));  // 4 from there
    stage.RunFor(100);
    EXPECT_EQ(engine_->GetCanEndCount(), 1);
    EXPECT_FALSE(stage.IsQuitRequested());
    engine_->SetCanEnd(true);
    stage.AddInput(VHeadlessInput::Mouse(310, Kind::MouseMove, 316, 214));  // 6
    stage.RunFor(100);
    EXPECT_TRUE(stage.IsQuitRequested());
}

TEST_F(ScreensaverInput, ARefusedKeyEndMakesTheNextMoveOnlyRecord)
{
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    stage.AddInput(VHeadlessInput::Mouse(110, Kind::MouseMove, 10, 10));
    stage.RunFor(50);
    engine_->SetCanEnd(false);
    stage.AddInput(VHeadlessInput::Mouse(160, Kind::MouseDown, 10, 10));
    stage.RunFor(50);
    EXPECT_EQ(Saver(stage).GetLastMouseX(), VScreensaver::kNoPosition);
    engine_->SetCanEnd(true);
    stage.AddInput(VHeadlessInput::Mouse(210, Kind::MouseMove, 100, 100));  // far, but first
    stage.RunFor(50);
    EXPECT_FALSE(stage.IsQuitRequested());
}

TEST_F(ScreensaverInput, ModifiersAloneNeverEndButTheWheelDoes)
{
    VHeadlessStage& stage = Load(Mode::Run);
    stage.RunFor(100);
    // Shift, Ctrl, Alt, the Windows keys, Caps Lock; a capital S is Shift, then S.
    int time = 110;
    for (int modifier : {16, 17, 18, 20, 91, 92, 160, 165}) {
        stage.AddInput(VHeadlessInput::Key(time++, Kind::KeyDown, modifier));
        stage.AddInput(VHeadlessInput::Key(time++, Kind::KeyUp, modifier));
    }
    stage.AddInput(VHeadlessInput::Key(150, Kind::KeyDown, 16));
    stage.AddInput(VHeadlessInput::Key(151, Kind::KeyDown, 83));
    stage.AddInput(VHeadlessInput::Key(152, Kind::KeyUp, 83));
    stage.AddInput(VHeadlessInput::Key(153, Kind::KeyUp, 16));
    stage.RunFor(100);
    EXPECT_FALSE(stage.IsQuitRequested());
    EXPECT_EQ(engine_->GetCanEndCount(), 0);
    EXPECT_FALSE(stage.IsSoundEnabled());  // the capital S switched it
    stage.AddInput({250, Kind::MouseWheel, 0, 0, 0});
    stage.RunFor(100);
    EXPECT_TRUE(stage.IsQuitRequested());
}

TEST_F(ScreensaverInput, DebugModeIgnoresMovementButNotButtonsAndKeys)
{
    VHeadlessStage& stage = Load(Mode::Debug);
    EXPECT_FALSE(stage.GetSetup().fullScreen);
    EXPECT_EQ(stage.GetSetup().windowRect, VRect(0, 0, 640, 480));
    EXPECT_TRUE(stage.IsCursorShown());
    stage.RunFor(100);
    for (int i = 0; i < 5; ++i)
        stage.AddInput(VHeadlessInput::Mouse(110 + i, Kind::MouseMove, 100.0f * i, 0));
    stage.RunFor(100);
    EXPECT_FALSE(stage.IsQuitRequested());
    stage.AddInput(VHeadlessInput::Mouse(250, Kind::MouseDown, 0, 0));
    stage.RunFor(100);
    EXPECT_TRUE(stage.IsQuitRequested());
}

TEST_F(ScreensaverInput, KeypadChangesTheSpeedOnlyInDebugModeBeforeTheShow)
{
    VHeadlessStage& stage = Load(Mode::Debug);
    VScreensaver& saver = Saver(stage);
    saver.KeyPressed(stage, 107, 107);
    EXPECT_DOUBLE_EQ(stage.GetTimeScale(), 0.8);
    saver.KeyPressed(stage, 109, 109);
    saver.KeyPressed(stage, 109, 109);
    EXPECT_DOUBLE_EQ(stage.GetTimeScale(), 1.25);
    EXPECT_EQ(engine_->GetCanEndCount(), 0);

    stage_.reset();
    VHeadlessStage& run = Load(Mode::Run);
    Saver(run).KeyPressed(run, 107, 107);
    EXPECT_TRUE(run.IsQuitRequested());
    EXPECT_DOUBLE_EQ(run.GetTimeScale(), 1.0);
}

TEST_F(ScreensaverInput, ASecondEndWhileOneIsOpenIsIgnored)
{
    // A password check that itself delivers another key press.
    class Reentrant : public VHeadlessScreensaverEngine {
    public:
        bool CanEnd() override
        {
            ++calls;
            if (calls == 1 && saver)
                saver->EndSaver(*stage);
            return false;
        }
        int calls = 0;
        VScreensaver* saver = nullptr;
        VStage* stage = nullptr;
    };
    bindings_ = std::make_unique<VSaverBindings>();
    stage_ = std::make_unique<VHeadlessStage>();
    Reentrant* engine = nullptr;
    stage_->SetScreensaverEngineFactory([&](VHeadlessStage&) { return engine = new Reentrant; });
    stage_->SetMainStream(savertest::ShowStream());
    stage_->Load();
    engine->saver = &Saver(*stage_);
    engine->stage = stage_.get();
    engine->saver->EndSaver(*stage_);
    EXPECT_EQ(engine->calls, 1);
    EXPECT_FALSE(engine->saver->IsEnding());
}

TEST_F(ScreensaverInput, TheModeShapesTheWindow)
{
    VHeadlessStage& run = Load(Mode::Run);
    EXPECT_TRUE(run.GetSetup().fullScreen);
    EXPECT_FALSE(run.GetSetup().hasFrame);
    EXPECT_FALSE(run.IsCursorShown());
    EXPECT_EQ(run.GetCaption(), "Zibolt_RUN");
    EXPECT_EQ(engine_->GetAttachCount(), 1);
    EXPECT_EQ(engine_->GetAdjustCount(), 1);

    stage_.reset();
    VHeadlessStage& preview = Load(Mode::Preview);
    EXPECT_FALSE(preview.GetSetup().fullScreen);
    EXPECT_EQ(preview.GetSetup().windowRect, VRect(0, 0, 608, 448));
    EXPECT_EQ(preview.GetCaption(), "Zibolt_PREVIEW");
    preview.RunFor(50);
    EXPECT_EQ(engine_->GetPrepareCount(), 1);
    ASSERT_NE(preview.FindComponent("DezoRivaduz"), nullptr);
}
