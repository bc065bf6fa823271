// Reading a sprite's "FrameList" and "SequenceList" values.
#include <memory>

#include "engine/pixies/VPixieHost.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VStreamBounds.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"

namespace {

// The least a frame record can be: its length token "0#".
constexpr int kMinFrameBytes = 2;
// The least a sequence can be: its length, its name and its step count, "0#0#0#".
constexpr int kMinSequenceBytes = 6;

}  // namespace

void VSprite::LoadFrameList(VMemoryStream& in)
{
    const std::string what = Describe() + " FrameList";
    int n = 0;
    int32_t count = LoadLongIntFromStream(in, n);
    CheckDeclaredCount(in, count, kMinFrameBytes, what);
    // A frame without a "Transparent" entry keeps the colour of the frame before it; the
    // first one is opaque.
    int32_t transparent = -1;
    for (int32_t i = 0; i < count; ++i) {
        const std::string frameWhat = what + " frame " + std::to_string(i + 1);
        std::string name;
        float hotSpotX = 0;
        float hotSpotY = 0;
        std::unique_ptr<VSurface> surface;
        int32_t length = LoadLongIntFromStream(in, n);
        CheckDeclaredBytes(in, length, frameWhat);
        long long left = length;
        while (left > 0) {
            int keyBytes = 0;
            std::string key = LoadStringFromStream(in, keyBytes);
            if (keyBytes == 0)
                throw VStreamException(frameWhat + ": the entries end before their declared length.");
            int valueBytes = 0;
            if (SameText(key, "Name")) {
                name = LoadStringFromStream(in, valueBytes);
            } else if (SameText(key, "Transparent")) {
                transparent = LoadColorFromStream(in, valueBytes);
            } else if (SameText(key, "HotSpotX")) {
                hotSpotX = LoadCooFromStream(in, valueBytes);
            } else if (SameText(key, "HotSpotY")) {
                hotSpotY = LoadCooFromStream(in, valueBytes);
            } else if (SameText(key, "Surface")) {
                surface = CurrentPixieHost().CreateSurface(1, 1);
                Assert(surface != nullptr, frameWhat + ": the stage made no surface.");
                valueBytes = LoadBitmapValue(*surface, in, frameWhat + " Surface");
            } else {
                // Not an entry of frames; skipped as one counted token.
                LoadStringFromStream(in, valueBytes);
            }
            left -= static_cast<long long>(keyBytes) + valueBytes;
        }
        if (!name.empty() && surface) {
            auto frame = std::make_shared<VSpriteFrame>(nullptr, name, hotSpotX, hotSpotY, transparent);
            frames_.push_back(frame);
            frame->SetSurface(surface);
        }
    }
}

void VSprite::LoadSequenceList(VMemoryStream& in)
{
    const std::string what = Describe() + " SequenceList";
    int n = 0;
    int32_t count = LoadLongIntFromStream(in, n);
    CheckDeclaredCount(in, count, kMinSequenceBytes, what);
    for (int32_t i = 0; i < count; ++i) {
        // The sequence's own length is not used: its step count says where it ends.
        LoadLongIntFromStream(in, n);
        int nameBytes = 0;
        std::string name = LoadStringFromStream(in, nameBytes);
        if (nameBytes == 0)
            throw VStreamException(what + ": the list ends after " + std::to_string(i) + " of " +
                                   std::to_string(count) + " sequences.");
        auto sequence = std::make_shared<VPixieSequencer>(name, nullptr);
        sequence->LoadFromStream(in, n);
        sequences_.push_back(std::move(sequence));
    }
}
