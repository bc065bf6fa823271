#include "engine/graphics/VWordWrap.h"

namespace {

void WrapParagraph(std::string_view text, std::size_t begin, std::size_t end, int64_t maxWidth,
                   const VAdvanceTable& advances, std::vector<VWrappedLine>& lines)
{
    VWrappedLine line{begin, begin, 0};
    bool hasWord = false;
    std::size_t i = begin;
    while (i < end) {
        int64_t gap = 0;
        while (i < end && text[i] == ' ')
            gap += advances[static_cast<unsigned char>(text[i++])];
        if (i == end)
            break;  // spaces ending the paragraph take no room
        std::size_t wordStart = i;
        int64_t word = 0;
        while (i < end && text[i] != ' ')
            word += advances[static_cast<unsigned char>(text[i++])];
        if (!hasWord) {
            // Leading spaces of a paragraph stay; a line always takes its first word.
            line.end = i;
            line.width += gap + word;
            hasWord = true;
        } else if (line.width + gap + word <= maxWidth) {
            line.end = i;
            line.width += gap + word;
        } else {
            lines.push_back(line);
            line = VWrappedLine{wordStart, i, word};
        }
    }
    lines.push_back(line);
}

}  // namespace

int64_t TextWidth(std::string_view text, const VAdvanceTable& advances)
{
    int64_t width = 0;
    for (char c : text)
        width += advances[static_cast<unsigned char>(c)];
    return width;
}

std::vector<VWrappedLine> WrapText(std::string_view text, int64_t maxWidth,
                                   const VAdvanceTable& advances)
{
    std::vector<VWrappedLine> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        if (end > begin && text[end - 1] == '\r')
            --end;
        WrapParagraph(text, begin, end, maxWidth, advances, lines);
        begin = next;
    }
    return lines;
}
