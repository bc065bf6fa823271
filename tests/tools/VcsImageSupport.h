#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "platform/headless/VIndexedImage.h"
#include "platform/headless/VPngFile.h"
#include "tools/vcs/VcsPalette.h"

// The tests' own images, drawn with the master palette as the art tools draw them.
inline const VcsPalette& TestMasterPalette()
{
    static const VcsPalette palette = LoadPalette(DefaultPalettePath());
    return palette;
}

// A picture of `width` x `height` whose pixel (x, y) is index base + x + 3 y (mod 256), so
// every row and column differs and a wrong offset or flip shows.
inline VIndexedImage MasterImage(int width, int height, int base = 40)
{
    VIndexedImage image;
    image.width = width;
    image.height = height;
    image.palette = TestMasterPalette();
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels[static_cast<std::size_t>(y) * width + x] = static_cast<uint8_t>(base + x + 3 * y);
    return image;
}

inline std::string MasterBmp(int width, int height, int base = 40)
{
    return BmpBytes(*DibFromImage(MasterImage(width, height, base)));
}

inline void WriteTestFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string ReadTestFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A folder of its own for each test case: ctest runs the cases side by side.
inline std::filesystem::path CaseFolder(const std::string& suite)
{
    auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path dir = std::filesystem::temp_directory_path() / (suite + "_" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
