#include "engine/pixies/VTextBlock.h"

#include "engine/stream/VStreamReaders.h"

bool VTextBlock::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (!SameText(name, "Contents"))
        return false;
    // Wrapped like "Tag": an outer length, then the LF-ended lines as one counted token.
    int outer = 0;
    LoadLongIntFromStream(stream, outer);
    LoadTagsFromStream(stream, lines_, consumed);
    consumed = AddCount(consumed, outer);
    return true;
}
