#pragma once

// The show's one random source: a small generator of its own with the C library's interface
// and range (RandomBits gives 0 to kRandomBitsMax like rand, SeedRandomBits seeds it like
// srand), the same on every platform and compiler, so that the same seed draws the same show
// everywhere.

#include <optional>
#include <string>

constexpr int kRandomBitsMax = 32767;

// Seeds from the clock, unless FixRandomSeed asked for a fixed seed (tests, recordings).
void SeedRandom();
// Every later SeedRandom uses `seed`; also seeds now.
void FixRandomSeed(unsigned seed);
// Back to seeding from the clock.
void UnfixRandomSeed();
// A seed as people type one: a whole number from 0 to 4294967295; nullopt for anything else.
std::optional<unsigned> ParseSeed(const std::string& text);

// The generator itself: as srand and rand; an unseeded generator starts as if seeded with 1.
void SeedRandomBits(unsigned seed);
// 0 to kRandomBitsMax.
int RandomBits();
// 0 to x inclusive.
double RandomReal(double x);
// 0 to n; n itself only when the generator gives its largest value.
int RandomInt(double n);
// a to b.
double RandomRange(double a, double b);
