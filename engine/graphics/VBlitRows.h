#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Row kernels of the bitmap copy. Each writes exactly `count` bytes starting at `dest`.
// Ranges of source and destination do not overlap.
namespace VBlitRows {

// dest[k] = source[k] for a span of any length, inline: the runs of a sprite row are mostly
// short, and a library call per run costs more than the copy. Spans of 16 bytes or more move
// in 16-byte pieces, the last one overlapping the one before; shorter ones in two
// overlapping words.
inline void CopySpan(uint8_t* dest, const uint8_t* source, size_t count)
{
    if (count >= 16) {
        if (count > 512) {
            std::memcpy(dest, source, count);
            return;
        }
        uint8_t piece[16];
        size_t k = 0;
        for (; k + 16 <= count; k += 16) {
            std::memcpy(piece, source + k, 16);
            std::memcpy(dest + k, piece, 16);
        }
        if (k < count) {
            std::memcpy(piece, source + count - 16, 16);
            std::memcpy(dest + count - 16, piece, 16);
        }
    } else if (count >= 8) {
        uint64_t head, tail;
        std::memcpy(&head, source, 8);
        std::memcpy(&tail, source + count - 8, 8);
        std::memcpy(dest, &head, 8);
        std::memcpy(dest + count - 8, &tail, 8);
    } else if (count >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, source, 4);
        std::memcpy(&tail, source + count - 4, 4);
        std::memcpy(dest, &head, 4);
        std::memcpy(dest + count - 4, &tail, 4);
    } else {
        for (size_t k = 0; k < count; ++k)
            dest[k] = source[k];
    }
}

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
// Whether the "avx2" set is in use; cheaper than comparing names on every copy.
bool Avx2Kernels();
// Switches to the named set, for tests and measurements; false when the processor lacks it.
bool UseKernelSet(const char* name);

}  // namespace VBlitRows
