#pragma once

#include "engine/stream/VStageCore.h"

// A stage whose clock the test sets by hand; it is the current stage while it lives.
class TestStage : public VStageCore {
public:
    TestStage()
    {
        GetChildren().push_back(this);
        SetCurrentStage(this);
    }
    ~TestStage() override { SetCurrentStage(nullptr); }

    double GetTime() override { return now; }

    double now = 0.0;
};
