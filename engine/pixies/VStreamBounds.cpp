#include "engine/pixies/VStreamBounds.h"

#include "engine/graphics/VSurface.h"
#include "engine/stream/VException.h"
#include "engine/stream/VStreamReaders.h"

long long BytesLeft(std::istream& stream)
{
    std::streambuf* buffer = stream.rdbuf();
    if (!buffer || !stream.good())
        return -1;
    auto here = buffer->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
    if (here == std::streampos(-1))
        return -1;
    auto end = buffer->pubseekoff(0, std::ios_base::end, std::ios_base::in);
    buffer->pubseekpos(here, std::ios_base::in);
    if (end == std::streampos(-1))
        return -1;
    return static_cast<long long>(end - here);
}

std::string LoadValueFromStream(std::istream& stream, int& consumed, const std::string& what)
{
    if (AtEnd(stream))
        throw VStreamException(what + ": the stream ends where the value should stand.");
    return LoadStringFromStream(stream, consumed);
}

void CheckDeclaredCount(std::istream& stream, long long count, int minBytes,
                        const std::string& what)
{
    if (count <= 0)
        return;
    long long left = BytesLeft(stream);
    if (left >= 0 && count > left / minBytes)
        throw VStreamException(what + " declares " + std::to_string(count) +
                               " entries, but only " + std::to_string(left) +
                               " bytes follow, too few to hold them.");
}

void CheckDeclaredBytes(std::istream& stream, long long bytes, const std::string& what)
{
    if (bytes <= 0)
        return;
    long long left = BytesLeft(stream);
    if (left >= 0 && bytes > left)
        throw VStreamException(what + " declares " + std::to_string(bytes) + " bytes, but only " +
                               std::to_string(left) + " follow.");
}

int LoadBitmapValue(VSurface& surface, std::istream& stream, const std::string& what)
{
    int consumed = 0;
    int32_t declared = LoadLongIntFromStream(stream, consumed);
    if (declared < 0)
        throw VStreamException(what + ": the image has a negative length.");
    CheckDeclaredBytes(stream, declared, what);
    int used = 0;
    surface.LoadFromStream(stream, used, declared);
    if (used < declared)
        stream.ignore(declared - used);
    if (!stream.good() && declared > 0)
        throw VStreamException(what + ": the stream ends inside the image's value.");
    return AddCount(consumed, declared);
}
