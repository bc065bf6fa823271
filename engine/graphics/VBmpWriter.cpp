#include "engine/graphics/VBmpWriter.h"

#include <fstream>
#include <sstream>

#include "engine/stream/VException.h"

namespace {

void Put16(std::ostream& out, uint32_t v)
{
    char b[2] = {char(v & 0xFF), char((v >> 8) & 0xFF)};
    out.write(b, 2);
}

void Put32(std::ostream& out, uint32_t v)
{
    char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
    out.write(b, 4);
}

}  // namespace

void WriteBmp(std::ostream& stream, const VDib& dib)
{
    const uint32_t headers = 14 + 40 + 4 * kPaletteSize;
    const uint32_t image = uint32_t(dib.GetStride()) * uint32_t(dib.GetHeight());
    Put16(stream, 0x4D42);
    Put32(stream, headers + image);
    Put32(stream, 0);
    Put32(stream, headers);

    Put32(stream, 40);
    Put32(stream, uint32_t(dib.GetWidth()));
    Put32(stream, uint32_t(dib.GetHeight()));
    Put16(stream, 1);
    Put16(stream, 8);
    Put32(stream, 0);
    Put32(stream, image);
    Put32(stream, 3780);
    Put32(stream, 3780);
    Put32(stream, kPaletteSize);
    Put32(stream, 0);

    const VPaletteEntry* colors = dib.GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i) {
        char e[4] = {char(colors[i].blue), char(colors[i].green), char(colors[i].red), 0};
        stream.write(e, 4);
    }
    if (image > 0 && dib.GetBits())
        stream.write(reinterpret_cast<const char*>(dib.GetBits()), std::streamsize(image));
}

std::string BmpBytes(const VDib& dib)
{
    std::ostringstream out;
    WriteBmp(out, dib);
    return out.str();
}

void SaveBmpFile(const std::string& fileName, const VDib& dib)
{
    std::ofstream file(fileName, std::ios::binary);
    WriteBmp(file, dib);
    file.close();
    if (!file)
        throw VException("Cannot write bitmap file \"" + fileName + "\"");
}
