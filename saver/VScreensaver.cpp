#include "saver/VScreensaver.h"

#include <cmath>

#include "engine/stage/VStage.h"
#include "engine/stage/VStageSetup.h"
#include "engine/stream/VException.h"
#include "engine/stream/VText.h"
#include "saver/VSaverKeys.h"

namespace {

// Keypad plus and minus: in debug mode they run the show faster or slower.
constexpr int kKeypadPlus = 107;
constexpr int kKeypadMinus = 109;

}  // namespace

VScreensaver::VScreensaver(VStage& stage) : VBehaviour(&stage, "Screensaver", &stage)
{
    engine_.reset(stage.CreateScreensaverEngine());
    Assert(engine_ != nullptr, "The stage made no screen-saver engine.");
    SetValues(&stage, "Screensaver");
    keysEnd_ = mouseMovementEnds_ = mouseButtonEnds_ = true;
    stage.GetChildren().push_back(this);
}

VScreensaver::~VScreensaver()
{
    // The owner's children list does not own; leave no dangling entry in it.
    if (auto* stage = dynamic_cast<VStage*>(GetOwner())) {
        auto& children = stage->GetChildren();
        for (auto it = children.begin(); it != children.end(); ++it)
            if (*it == this) {
                children.erase(it);
                break;
            }
    }
}

void VScreensaver::SetValues(VComponent* subject, const std::string& name)
{
    if (!GetSubject() && GetName().empty())
        VBehaviour::SetValues(subject, name);
    Listen("OnSetup");
    Listen("OnStarted");
    Listen("OnExit");
    if (!engine_->IsConfigure()) {
        Listen("OnMouseMove");
        Listen("OnMouseDown");
        Listen("OnMouseWheel");
        Listen("OnKeyDown");
    }
    if (auto* stage = dynamic_cast<VStage*>(GetSubject()))
        engine_->Attach(*stage);
}

bool VScreensaver::HandleEvent(const std::string& eventName, VComponent* sender)
{
    auto* stage = dynamic_cast<VStage*>(sender);
    if (!stage)
        return false;
    if (SameText(eventName, "OnSetup")) {
        AdjustStageSetup(stage->GetSetup());
    } else if (SameText(eventName, "OnStarted")) {
        StartedRunning(*stage);
    } else if (SameText(eventName, "OnMouseMove") && mouseMovementEnds_) {
        MouseMoved(stage->GetMouseX(), stage->GetMouseY());
    } else if (SameText(eventName, "OnKeyDown") && keysEnd_) {
        KeyPressed(*stage, stage->GetKeyDownCode(), stage->GetKeyDownValue());
    } else if ((SameText(eventName, "OnMouseDown") || SameText(eventName, "OnMouseWheel")) &&
               mouseButtonEnds_) {
        EndSaver(*stage);  // every button and the wheel, as a key
    } else {
        return false;
    }
    return true;
}

void VScreensaver::AdjustStageSetup(VStageSetup& setup)
{
    if (engine_->IsConfigure()) {
        VFloatPoint position = engine_->GetConfigurePosition();
        setup.windowRect.x = position.x;
        setup.windowRect.y = position.y;
        setup.hasFrame = true;
        setup.showCursor = true;
    } else {
        setup.hasFrame = false;
        if (engine_->IsDebug()) {
            setup.windowRect = VRect(0, 0, 640, 480);
            setup.showCursor = true;
        } else {
            setup.fullScreen = true;
            setup.showCursor = false;
        }
    }
    engine_->AdjustSetup(setup);
}

void VScreensaver::StartedRunning(VStage& stage)
{
    engine_->PrepareShow();
    stage.FireEvent(engine_->IsConfigure() ? "OnAboutBox" : "OnRunSaver", 0);
}

void VScreensaver::RestoreInputMethod()
{
    engine_->RestoreInputMethod();
}

void VScreensaver::MouseMoved(float x, float y)
{
    if (engine_->IsDebug())
        return;
    if (lastMouseX_ != kNoPosition) {
        double dx = double(x) - lastMouseX_;
        double dy = double(y) - lastMouseY_;
        if (std::sqrt(dx * dx + dy * dy) > engine_->GetMouseTolerance()) {
            if (auto* stage = dynamic_cast<VStage*>(CurrentStage()))
                EndSaver(*stage);
        }
    }
    lastMouseX_ = x;
    lastMouseY_ = y;
}

void VScreensaver::KeyPressed(VStage& stage, int keyCode, int keyValue)
{
    if (engine_->IsDebug() && keyValue == kKeypadPlus) {
        stage.SetTimeScale(stage.GetTimeScale() * 0.8);
    } else if (engine_->IsDebug() && keyValue == kKeypadMinus) {
        stage.SetTimeScale(stage.GetTimeScale() * 1.25);
    } else if (!IsModifierKey(keyCode)) {
        EndSaver(stage);
    }
}

void VScreensaver::EndSaver(VStage& stage)
{
    if (ending_)
        return;
    ending_ = true;
    if (engine_->CanEnd()) {
        stage.Stop();
        return;
    }
    ending_ = false;
    lastMouseX_ = lastMouseY_ = kNoPosition;
}
