#include "show/VShowStage.h"

#include "engine/stage/VStage.h"
#include "engine/stream/VException.h"

VStage& ShowStage()
{
    auto* stage = dynamic_cast<VStage*>(CurrentStage());
    Assert(stage != nullptr, "The show needs a stage to run on.");
    return *stage;
}

VRect StageRect(VStage& stage)
{
    if (VSurface* frame = stage.GetFrameBuffer())
        return frame->GetRect();
    if (VSurface* background = stage.GetBackground())
        return background->GetRect();
    return stage.GetSetup().windowRect;
}

void RequestFullRedraw(VStage& stage)
{
    stage.FadeTransition(true, true);
}
