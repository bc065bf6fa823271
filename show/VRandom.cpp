#include "show/VRandom.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>

namespace {

std::optional<unsigned>& FixedSeed()
{
    static std::optional<unsigned> seed;
    return seed;
}

uint32_t& GeneratorState()
{
    static uint32_t state = 1;
    return state;
}

}  // namespace

void SeedRandom()
{
    if (FixedSeed())
        SeedRandomBits(*FixedSeed());
    else
        SeedRandomBits(static_cast<unsigned>(std::time(nullptr)));
}

void FixRandomSeed(unsigned seed)
{
    FixedSeed() = seed;
    SeedRandomBits(seed);
}

void UnfixRandomSeed()
{
    FixedSeed().reset();
}

std::optional<unsigned> ParseSeed(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= 0 && value <= 4294967295.0) ||
        value != std::floor(value))
        return std::nullopt;
    return static_cast<unsigned>(value);
}

void SeedRandomBits(unsigned seed)
{
    GeneratorState() = static_cast<uint32_t>(seed);
}

int RandomBits()
{
    // The portable generator that the C standard gives as its example of rand: 32-bit
    // arithmetic that wraps the same way everywhere, the upper bits being the better ones.
    uint32_t& state = GeneratorState();
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

double RandomReal(double x)
{
    return RandomBits() * (1.0 / kRandomBitsMax) * x;
}

int RandomInt(double n)
{
    return static_cast<int>(std::floor(RandomReal(n)));
}

double RandomRange(double a, double b)
{
    return a + RandomReal(b - a);
}
