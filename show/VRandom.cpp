#include "show/VRandom.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>

namespace {

std::optional<unsigned>& FixedSeed()
{
    static std::optional<unsigned> seed;
    return seed;
}

}  // namespace

void SeedRandom()
{
    if (FixedSeed())
        std::srand(*FixedSeed());
    else
        std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void FixRandomSeed(unsigned seed)
{
    FixedSeed() = seed;
    std::srand(seed);
}

void UnfixRandomSeed()
{
    FixedSeed().reset();
}

int RandomBits()
{
    int value = std::rand();
    // Where the generator is wider than 15 bits its high bits are the better ones.
    if (RAND_MAX > 0x7FFF)
        value >>= 16;
    return value & 0x7FFF;
}

double RandomReal(double x)
{
    return RandomBits() * (1.0 / 32767.0) * x;
}

int RandomInt(double n)
{
    return static_cast<int>(std::floor(RandomReal(n)));
}

double RandomRange(double a, double b)
{
    return a + RandomReal(b - a);
}
