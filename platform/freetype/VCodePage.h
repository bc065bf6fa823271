#pragma once

#include <cstdint>

// The Unicode code point of a byte of the scene files' single-byte code page (Windows-1252:
// Latin-1 with typographic marks in 0x80-0x9F; the five unassigned bytes stay as they are).
uint32_t CodePointOfByte(unsigned char byte);
