#pragma once

#include <cstddef>
#include <cstdint>

// Row kernels of the bitmap copy. Each writes exactly `count` bytes starting at `dest`.
// Ranges of source and destination do not overlap.
namespace VBlitRows {

// dest[k] = source[k].
void CopyForward(uint8_t* dest, const uint8_t* source, size_t count);
// dest[k] = last[-k]: the row mirrored, `last` being the source byte for dest[0].
void CopyReverse(uint8_t* dest, const uint8_t* last, size_t count);
// As CopyForward / CopyReverse, but source bytes equal to `key` leave dest unchanged.
void KeyForward(uint8_t* dest, const uint8_t* source, size_t count, uint8_t key);
void KeyReverse(uint8_t* dest, const uint8_t* last, size_t count, uint8_t key);
// dest[k] = row[columns[k]], and with a key only where that byte is not the key.
void Gather(uint8_t* dest, const uint8_t* row, const int32_t* columns, size_t count);
void KeyGather(uint8_t* dest, const uint8_t* row, const int32_t* columns, size_t count, uint8_t key);

// Name of the instruction set in use ("avx2", "sse2", "portable"); the widest the processor
// has is picked at start-up.
const char* KernelSet();
// Switches to the named set, for tests and measurements; false when the processor lacks it.
bool UseKernelSet(const char* name);

}  // namespace VBlitRows
