#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "tests/graphics/GraphicsTestUtil.h"

namespace {

void Poke16(std::string& s, size_t at, uint32_t v)
{
    s[at] = char(v & 0xFF);
    s[at + 1] = char((v >> 8) & 0xFF);
}

void Poke32(std::string& s, size_t at, uint32_t v)
{
    Poke16(s, at, v & 0xFFFF);
    Poke16(s, at + 2, v >> 16);
}

// Header field offsets in a file with a 40-byte header.
constexpr size_t kOffset = 10, kWidth = 18, kHeight = 22, kBits = 28, kCompression = 30,
                 kColoursUsed = 46;

std::string SampleBmp(int width = 5, int height = 3)
{
    auto dib = MakeDib(width, height, [](int x, int y) { return uint8_t(x + 16 * y); });
    return BmpBytes(*dib);
}

// Loads `bytes` into `dib`; the message of the failure, or "".
std::string Load(VDib& dib, const std::string& bytes, int64_t available = kUnknownLength)
{
    VMemoryStream stream(bytes);
    int length = 0;
    return MessageOf([&] { dib.LoadFromStream(stream, length, available); });
}

// An OS/2 file: 12-byte header, `entries` blue-green-red triples, then the pixels.
std::string Os2Bmp(int width, int height, int entries)
{
    std::string s(14 + 12 + 3 * entries, '\0');
    s[0] = 'B';
    s[1] = 'M';
    Poke32(s, 10, uint32_t(s.size()));
    Poke32(s, 14, 12);
    Poke16(s, 18, uint32_t(width));
    Poke16(s, 20, uint32_t(height));
    Poke16(s, 22, 1);
    Poke16(s, 24, 8);
    for (int i = 0; i < entries; ++i) {
        s[26 + 3 * i] = char(i);           // blue
        s[26 + 3 * i + 1] = char(100);     // green
        s[26 + 3 * i + 2] = char(255 - i); // red
    }
    for (int i = 0; i < DibStride(width) * height; ++i)
        s.push_back(char(i));
    return s;
}

}  // namespace

TEST(BmpTest, WrittenBitmapReadsBackWithItsLength)
{
    auto dib = MakeDib(5, 3, [](int x, int y) { return uint8_t(x + 16 * y); });
    std::string bytes = BmpBytes(*dib) + "tail";
    VMemoryStream stream(bytes);
    VDib read(1, 1);
    int length = 0;
    read.LoadFromStream(stream, length);
    EXPECT_EQ(length, 14 + 40 + 1024 + 8 * 3);
    EXPECT_EQ(stream.Position(), size_t(length));  // left just behind the pixels
    EXPECT_TRUE(read.HasPalette());
    EXPECT_EQ(Bytes(read), Bytes(*dib));
    EXPECT_EQ(read.GetPixel(4, 2), ColorOf(TestColour(36)));
    EXPECT_EQ(read.GetInfo().header.clrUsed, 256u);
}

TEST(BmpTest, FewerColoursKeepTheRestOfThePalette)
{
    std::string bytes = SampleBmp();
    Poke32(bytes, kColoursUsed, 2);
    // Two entries, then the pixels straight after them.
    bytes.erase(14 + 40 + 8, 1024 - 8);
    Poke32(bytes, kOffset, 14 + 40 + 8);
    VDib dib(1, 1);
    dib.GetPaletteEntries()[2] = VPaletteEntry{1, 2, 3, 0};
    ASSERT_EQ(Load(dib, bytes), "");
    EXPECT_EQ(dib.GetPaletteEntries()[1], TestColour(1));
    EXPECT_EQ(dib.GetPaletteEntries()[2], (VPaletteEntry{1, 2, 3, 0}));
    EXPECT_EQ(dib.GetPixelIndex(4, 2), 36);
}

TEST(BmpTest, Os2BitmapLoadsWithItsTriplePalette)
{
    VDib dib(1, 1);
    ASSERT_EQ(Load(dib, Os2Bmp(3, 2, 256)), "");
    EXPECT_EQ(dib.GetWidth(), 3);
    EXPECT_EQ(dib.GetHeight(), 2);
    EXPECT_EQ(dib.GetInfo().header.size, 40u);
    EXPECT_EQ(dib.GetPaletteEntries()[7], (VPaletteEntry{7, 100, 248, 0}));
    EXPECT_EQ(dib.GetPixelIndex(1, 1), 1);  // bottom line first
    EXPECT_EQ(dib.GetPixelIndex(2, 0), 6);
}

TEST(BmpTest, FormatsOtherThanEightBitUncompressedAreRefused)
{
    VDib dib(1, 1);
    std::string deep = SampleBmp();
    Poke16(deep, kBits, 24);
    EXPECT_EQ(Load(dib, deep), "Only 8 bit DIBs are supported");
    std::string packed = SampleBmp();
    Poke32(packed, kCompression, 1);
    EXPECT_EQ(Load(dib, packed), "Only 8 bit DIBs are supported");
    std::string other = SampleBmp();
    Poke32(other, 14, 108);
    EXPECT_EQ(Load(dib, other), " File is not Windows or PM DIB format");
    EXPECT_EQ(Load(dib, "XM" + SampleBmp().substr(2)), "Not a bitmap file");
    EXPECT_EQ(Load(dib, "B"), "Not a bitmap file");
}

TEST(BmpTest, NotABitmapLeavesTheOldImage)
{
    auto dib = MakeDib(4, 4, [](int, int) { return 9; });
    EXPECT_EQ(Load(*dib, "PK"), "Not a bitmap file");
    EXPECT_EQ(dib->GetWidth(), 4);
    EXPECT_TRUE(dib->HasPalette());
}

TEST(BmpTest, HostileHeadersAreRefusedAndLeaveAnEmptyBitmap)
{
    struct Case {
        size_t at;
        uint32_t value;
        const char* message;
    };
    const Case cases[] = {
        {kColoursUsed, 257, "Bitmap palette has 257 colours, more than 256"},
        {kWidth, 0, "Bitmap size 0 x 3 is not supported (1 to 32768 pixels per side)"},
        {kWidth, 32769, "Bitmap size 32769 x 3 is not supported (1 to 32768 pixels per side)"},
        {kHeight, uint32_t(-3), "Top-down bitmaps are not supported"},
        {kOffset, 14 + 40 + 1000, "Bitmap pixel offset points into its header or palette"},
        {kOffset, 0xFFFFFFF0u, "Bitmap pixel offset is out of range"},
        {kOffset, 14 + 40 + 1024 + 1, "Bitmap data is truncated"},
        {kHeight, 30000, "Bitmap data is truncated"},
        {kHeight, 0, "Bitmap size 5 x 0 is not supported (1 to 32768 pixels per side)"},
        {kWidth, uint32_t(-5), "Bitmap size -5 x 3 is not supported (1 to 32768 pixels per side)"},
        {kHeight, 32769, "Bitmap size 5 x 32769 is not supported (1 to 32768 pixels per side)"},
        {kColoursUsed, 0xFFFFFFFFu, "Bitmap palette has 4294967295 colours, more than 256"},
    };
    for (const Case& c : cases) {
        std::string bytes = SampleBmp();
        Poke32(bytes, c.at, c.value);
        auto dib = MakeDib(4, 4, [](int, int) { return 9; });
        EXPECT_EQ(Load(*dib, bytes), c.message);
        EXPECT_EQ(dib->GetWidth(), 0) << c.message;
        EXPECT_EQ(dib->GetHeight(), 0);
        EXPECT_FALSE(dib->HasPalette());
        // Nothing can be overrun afterwards: copies into and out of it do nothing.
        auto other = MakeDib(4, 4, [](int, int) { return 1; });
        EXPECT_EQ(MessageOf([&] { dib->CopyBits(other.get(), 0, 0, 4, 4, 0, 0, -1); }),
                  "VDib::CopyBits : Internal source DIB doesn't contain a palette.");
        other->CopyBits(dib.get(), VRect(), VRect(), -1);
        other->CopyBits(dib.get(), 0, 0, 4, 4, 0, 0, -1);
        EXPECT_EQ(MessageOf([&] { dib->CopyBits(other.get(), VRect(), VRect(), -1); }), "");
        EXPECT_EQ(Bytes(*other), std::vector<uint8_t>(16, 1));
    }
}

TEST(BmpTest, TruncatedDataIsRefusedAtEveryLength)
{
    const std::string bytes = SampleBmp(7, 5);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        VDib dib(2, 2);
        EXPECT_NE(Load(dib, bytes.substr(0, cut)), "") << cut;
        EXPECT_NE(Load(dib, bytes, int64_t(cut)), "") << cut;
    }
    VDib dib(2, 2);
    EXPECT_EQ(Load(dib, bytes, int64_t(bytes.size())), "");
}

TEST(BmpTest, DeclaredLengthBoundsTheReadBeforeAnyAllocation)
{
    // A huge declared image in a small value token: refused from the headers alone.
    std::string bytes = SampleBmp();
    Poke32(bytes, kWidth, 32768);
    Poke32(bytes, kHeight, 32768);
    VDib dib(1, 1);
    std::string payload = bytes + std::string(100, '\0');
    VMemoryStream stream(payload);
    int length = 0;
    EXPECT_EQ(MessageOf([&] { dib.LoadFromStream(stream, length, int64_t(bytes.size())); }),
              "Bitmap data is truncated");
    EXPECT_LE(stream.Position(), 14u + 40 + 1024);  // did not read on into what follows
}

TEST(BmpTest, LoadFromFile)
{
    auto dib = MakeDib(9, 4, [](int x, int y) { return uint8_t(x ^ y); });
    std::string name = ::testing::TempDir() + "zibolt_bmp_test.bmp";
    SaveBmpFile(name, *dib);
    VDib read(1, 1);
    EXPECT_TRUE(read.LoadFromFile(name));
    EXPECT_EQ(Bytes(read), Bytes(*dib));
    std::remove(name.c_str());
    EXPECT_EQ(MessageOf([&] { read.LoadFromFile(name); }),
              "Cannot open bitmap file \"" + name + "\"");
}

TEST(BmpTest, LargestDeclaredImageFromAFileIsReadOnlyAsFarAsTheDataGoes)
{
    // 32768 x 32768 declares a gigabyte; with no length given the reader must still stop at
    // the end of the little data there is, without making room for the whole image.
    std::string bytes = SampleBmp();
    Poke32(bytes, kWidth, 32768);
    Poke32(bytes, kHeight, 32768);
    bytes += std::string(5000, '\x07');
    VDib dib(1, 1);
    EXPECT_EQ(Load(dib, bytes), "Bitmap data is truncated");
    EXPECT_EQ(dib.GetWidth(), 0);
}

TEST(BmpTest, HostileOs2HeadersAreRefused)
{
    VDib dib(1, 1);
    std::string deep = Os2Bmp(3, 2, 256);
    Poke16(deep, 24, 24);
    EXPECT_EQ(Load(dib, deep), "Only 8 bit DIBs are supported");
    std::string flat = Os2Bmp(3, 2, 256);
    Poke16(flat, 20, 0);
    EXPECT_EQ(Load(dib, flat), "Bitmap size 3 x 0 is not supported (1 to 32768 pixels per side)");
    std::string wide = Os2Bmp(3, 2, 256);
    Poke16(wide, 18, 40000);
    EXPECT_EQ(Load(dib, wide), "Bitmap size 40000 x 2 is not supported (1 to 32768 pixels per side)");
    // The pixels must follow the 256 triples, not start inside them.
    std::string early = Os2Bmp(3, 2, 256);
    Poke32(early, 10, 14 + 12 + 3 * 100);
    EXPECT_EQ(Load(dib, early), "Bitmap pixel offset points into its header or palette");
    EXPECT_NE(Load(dib, Os2Bmp(3, 2, 256).substr(0, 14 + 12 + 3 * 200)), "");
    EXPECT_EQ(dib.GetWidth(), 0);
    ASSERT_EQ(Load(dib, Os2Bmp(3, 2, 256)), "");
}
