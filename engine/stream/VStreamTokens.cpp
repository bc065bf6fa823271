// The counted tokens of a stream, apart from the rest of the writer: the engine writes records
// with them at run time, also in the web build, which lacks the writer's float conversions.
#include "engine/stream/VStreamWriter.h"

std::string NumberToken(long long value)
{
    return std::to_string(value) + "#";
}

std::string CountedToken(std::string_view payload)
{
    std::string token = NumberToken(static_cast<long long>(payload.size()));
    token.append(payload);
    return token;
}
