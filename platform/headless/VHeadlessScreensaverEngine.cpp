#include "platform/headless/VHeadlessScreensaverEngine.h"

#include "engine/stage/VStage.h"
#include "engine/stage/VStageSetup.h"

bool VHeadlessScreensaverEngine::CanEnd()
{
    ++canEndCount_;
    return canEnd_;
}

void VHeadlessScreensaverEngine::Attach(VStage& stage)
{
    stage_ = &stage;
    ++attachCount_;
}

void VHeadlessScreensaverEngine::AdjustSetup(VStageSetup& setup)
{
    ++adjustCount_;
    if (mode_ == Mode::Preview) {
        setup.windowRect = VRect(0, 0, 608, 448);
        setup.fullScreen = false;
    }
    if (mode_ != Mode::Configure && stage_)
        stage_->SetCaption(stage_->GetProgramName() +
                           (mode_ == Mode::Preview ? "_PREVIEW" : "_RUN"));
}
