#pragma once

#include "engine/graphics/VRect.h"

class VStage;

// What the show needs of the current stage.

// The current stage; throws a VException when there is none.
VStage& ShowStage();
// The stage rectangle: the frame buffer's, else the background's, else the window setting's.
VRect StageRect(VStage& stage);
// A full redraw with the stage's transition.
void RequestFullRedraw(VStage& stage);
