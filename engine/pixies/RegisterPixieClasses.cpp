#include "engine/pixies/RegisterPixieClasses.h"

void RegisterPixieClasses()
{
    // Filled in as the pixie classes arrive.
}
