#include "engine/pixies/VFrameRef.h"

#include "engine/pixies/VSprite.h"
#include "engine/pixies/VStreamBounds.h"
#include "engine/stream/VException.h"
#include "engine/stream/VStreamReaders.h"

void VFrameRef::BeginStep(VPixie* pixie)
{
    auto* sprite = dynamic_cast<VSprite*>(pixie);
    if (!sprite)
        throw VFindException("VFrameRef cannot acces object other than VSprite.");
    sprite->SetCurFrame(sprite->FindFrameByName(frameName_));
}

void VFrameRef::LoadFromStream(std::istream& stream, int& consumed)
{
    int n = 0;
    int32_t length = LoadLongIntFromStream(stream, n);
    consumed = n;
    CheckDeclaredBytes(stream, length, "FrameRef");
    long long left = length;
    while (left > 0) {
        int keyBytes = 0;
        std::string key = LoadStringFromStream(stream, keyBytes);
        if (keyBytes == 0)
            throw VStreamException("FrameRef: the step's entries end before their declared length.");
        int valueBytes = 0;
        if (SameText(key, "Name")) {
            frameName_ = LoadStringFromStream(stream, valueBytes);
        } else if (SameText(key, "DeltaX")) {
            deltaX_ = static_cast<float>(LoadLongIntFromStream(stream, valueBytes));
        } else if (SameText(key, "DeltaY")) {
            deltaY_ = static_cast<float>(LoadLongIntFromStream(stream, valueBytes));
        } else if (SameText(key, "DeltaZ")) {
            deltaZ_ = static_cast<float>(LoadLongIntFromStream(stream, valueBytes));
        } else if (SameText(key, "Time")) {
            double ms = static_cast<double>(AsSeconds(LoadStringFromStream(stream, valueBytes)) * 1000.0f);
            // A negative time would keep the step due for ever; NaN is never due, which is safe.
            SetTime(ms < 0 ? 0.0 : ms);
        } else {
            // An entry this reader does not know: skipped as a counted token, like a property.
            LoadStringFromStream(stream, valueBytes);
        }
        left -= static_cast<long long>(keyBytes) + valueBytes;
        consumed = AddCount(consumed, static_cast<long long>(keyBytes) + valueBytes);
    }
}
