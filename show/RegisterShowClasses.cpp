#include "show/RegisterShowClasses.h"

#include "show/VSceneKinds.h"

void RegisterShowClasses()
{
    // Each scene kind adds its line here: RegisterSceneKind("V...Scene", creator).
}
