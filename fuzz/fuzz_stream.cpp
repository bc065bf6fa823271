// Loads arbitrary bytes as a component stream into a stage.
#include <cstddef>
#include <cstdint>

#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStageCore.h"

namespace {

class FuzzStage : public VStageCore {
public:
    FuzzStage()
    {
        GetChildren().push_back(this);
        SetCurrentStage(this);
    }
    double GetTime() override { return 0.0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzStage stage;
    VMemoryStream in(data, size);
    try {
        stage.AddComponentStream(&in);
    } catch (const VException&) {
        // Malformed streams are expected to be refused with a message.
    }
    return 0;
}
