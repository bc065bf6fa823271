#pragma once

#include <memory>

#include "engine/graphics/VRect.h"
#include "engine/graphics/VSurface.h"
#include "engine/stream/VStageCore.h"

// Note for the stage: the pixies need no operation beyond these two; the clock, the timer list
// and FindComponent come from VStageCore.
//
// What pixies need of the stage beyond its clock and lookups: surfaces to hold their images
// and the dirty-rectangle list. The stage implements it; pixies never see the stage itself.
class VPixieHost : public VStageCore {
public:
    using VStageCore::VStageCore;

    virtual std::unique_ptr<VSurface> CreateSurface(int width, int height) = 0;
    virtual void InvalidRect(const VRect& rect) = 0;
};

// The current stage as a pixie host; throws a VException when there is none.
VPixieHost& CurrentPixieHost();
