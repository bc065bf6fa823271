#include <gtest/gtest.h>

#include "platform/sdl/VSdlStage.h"
#include "tests/stage/FailingPixie.h"

// The stage's own fade (no window needed: nothing is shown without one).
TEST(SdlStageFade, APixieThatCannotDrawLeavesTheClockRunning)
{
    VSdlStage stage;
    std::unique_ptr<VSurface> background = stage.CreateSurface(16, 16);
    std::unique_ptr<VSurface> frame = stage.CreateSurface(16, 16);
    stage.ExchangeSurfaces(background, frame);
    new FailingPixie(stage);  // owned by the stage
    EXPECT_THROW(stage.FadeTransition(false, true), VException);
    EXPECT_FALSE(stage.IsClockPaused()) << "every timer would stall";
    EXPECT_FALSE(stage.IsPresentHeld());
}
