#pragma once

// Plugs the show's scene kinds into the scene factory (VSceneKinds.h). An explicit call for
// the same reason as RegisterPixieClasses; calling it again is harmless.
void RegisterShowClasses();
