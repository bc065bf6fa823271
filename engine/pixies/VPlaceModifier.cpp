#include "engine/pixies/VPlaceModifier.h"

#include "engine/pixies/VPixie.h"

void VPlaceModifier::EndStep(VPixie* pixie)
{
    if (pixie)
        pixie->MoveBy(deltaX_, deltaY_, deltaZ_);
}
