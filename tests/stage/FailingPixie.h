#pragma once

#include "engine/pixies/VPixie.h"
#include "engine/stage/VStage.h"
#include "engine/stream/VException.h"

// A pixie on the stage that throws whenever it is drawn while `failing`, and otherwise draws
// nothing: one broken picture among the show's.
class FailingPixie : public VPixie {
public:
    explicit FailingPixie(VStage& stage) : VPixie("failing", &stage)
    {
        stage.GetChildren().push_back(this);
    }
    float GetXPos() const override { return 0; }
    void SetXPos(float) override {}
    float GetYPos() const override { return 0; }
    void SetYPos(float) override {}
    float GetZPos() const override { return 0; }
    void SetZPos(float) override {}
    bool UpdateRect() override { return false; }
    void Draw(VSurface&, float, float, const VRectList*) override
    {
        if (failing)
            throw VException("cannot draw");
    }
    bool failing = true;
};
