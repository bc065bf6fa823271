#include "saver/VSaverBindings.h"

#include "engine/stage/VStage.h"
#include "engine/stream/VComponentRef.h"
#include "engine/stream/VException.h"
#include "saver/VSaverKeys.h"
#include "saver/VSaverSetup.h"
#include "saver/VScreensaver.h"

namespace {

bool IsSoundKey(int code)
{
    return code == VSaverBindings::kKeyS || code == VSaverBindings::kKeySmallS;
}

// Failures are reported by the stage whichever of its events raised them: "OnStarted", which
// leads to the show's set-up, is raised outside the run loop's own guard.
template <void (*Action)(VStage&)>
void OnStage(VComponent* sender, VEvent*, void*)
{
    auto* stage = dynamic_cast<VStage*>(sender);
    if (!stage)
        return;
    try {
        Action(*stage);
    } catch (const VException& failure) {
        stage->HandleException(failure.GetMessage());
    }
}

// A stage already asked to stop has had its about program (configure mode starts it at once).
void AboutAndStop(VStage& stage)
{
    if (!stage.IsQuitRequested())
        StartAboutProgram(stage);
    stage.Stop();
}

void ToggleSound(VStage& stage)
{
    if (IsSoundKey(stage.GetKeyUpCode()))
        stage.SetSoundEnabled(!stage.IsSoundEnabled());
}

void EndUnlessSound(VStage& stage)
{
    const int code = stage.GetKeyDownCode();
    if (!IsSoundKey(code) && !IsModifierKey(code))
        ComponentRef<VScreensaver>("Screensaver")->EndSaver(stage);
}

}  // namespace

VSaverBindings::VSaverBindings()
    : beforeEverything_("Stage", "OnBeforeEverything", OnStage<SetUpSaver>, ""),
      aboutBox_("Stage", "OnAboutBox", OnStage<AboutAndStop>, ""),
      runSaver_("Stage", "OnRunSaver", OnStage<SetUpShow>, ""),
      keyUp_("Stage", "OnKeyUp", OnStage<ToggleSound>, ""),
      keyDown_("Stage", "OnKeyDown", OnStage<EndUnlessSound>, "")
{
}
