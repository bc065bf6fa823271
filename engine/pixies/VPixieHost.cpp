#include "engine/pixies/VPixieHost.h"

#include "engine/stream/VException.h"

VPixieHost& CurrentPixieHost()
{
    auto* host = dynamic_cast<VPixieHost*>(CurrentStage());
    Assert(host != nullptr, "There is no stage to hold pictures.");
    return *host;
}
