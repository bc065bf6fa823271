#pragma once

// The show's one random source: the C library generator, narrowed to 15 bits (0 to 32767)
// on every platform so that the same seed draws the same show everywhere.

// Seeds from the clock, unless FixRandomSeed asked for a fixed seed (tests, recordings).
void SeedRandom();
// Every later SeedRandom uses `seed`; also seeds now.
void FixRandomSeed(unsigned seed);
// Back to seeding from the clock.
void UnfixRandomSeed();

// 0 to 32767.
int RandomBits();
// 0 to x inclusive.
double RandomReal(double x);
// 0 to n; n itself only when the generator gives its largest value.
int RandomInt(double n);
// a to b.
double RandomRange(double a, double b);
