#include "platform/web/VWebSaverEngine.h"

#include "engine/stage/VStageSetup.h"

void VWebSaverEngine::AdjustSetup(VStageSetup& setup)
{
    setup.fullScreen = false;
    setup.windowRect = VRect(0, 0, static_cast<float>(width_), static_cast<float>(height_));
}
