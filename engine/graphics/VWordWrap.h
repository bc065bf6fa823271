#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Pixel advance of every byte of the single-byte code page; text is measured as the sum of
// its bytes' advances (no kerning), which makes every layout linear in the text's length.
using VAdvanceTable = std::array<int32_t, 256>;

struct VWrappedLine {
    std::size_t begin = 0;  // byte offsets into the text
    std::size_t end = 0;
    int64_t width = 0;
    bool operator==(const VWrappedLine& other) const = default;
};

int64_t TextWidth(std::string_view text, const VAdvanceTable& advances);

// Lays text out in lines of at most maxWidth pixels, the way word-breaking text boxes do:
// LF (or CR LF) ends a line, and a line also breaks at the spaces before a word that would
// not fit; the spaces at a break are dropped, as are spaces ending a paragraph. A word wider
// than maxWidth stands alone on its line, unbroken. A final LF does not begin another line,
// and an empty text has no lines.
std::vector<VWrappedLine> WrapText(std::string_view text, int64_t maxWidth,
                                   const VAdvanceTable& advances);
