#include "platform/headless/VPngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "engine/stream/VException.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Everything that lives across libpng's long jumps stays here, in the caller's frame; the
// functions that call setjmp hold nothing with a destructor.
struct PngJob {
    std::FILE* file = nullptr;
    std::string failure;
    VIndexedImage image;
    std::vector<png_bytep> rows;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message)
{
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    if (job->failure.empty())
        job->failure = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// A hostile file's claimed size is refused before anything is allocated for it.
constexpr png_uint_32 kMaxSide = kMaxDibSide;

bool WriteCore(PngJob* job, const VIndexedImage* image)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, job, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        job->failure = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, job->file);
    png_set_IHDR(png, info, png_uint_32(image->width), png_uint_32(image->height), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color colors[kPaletteSize];
    int count = image->paletteSize < 1 || image->paletteSize > kPaletteSize ? kPaletteSize
                                                                             : image->paletteSize;
    for (int i = 0; i < count; ++i)
        colors[i] = {image->palette[i].red, image->palette[i].green, image->palette[i].blue};
    png_set_PLTE(png, info, colors, count);
    png_write_info(png, info);
    png_write_image(png, job->rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool ReadCore(PngJob* job)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, job, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        job->failure = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_init_io(png, job->file);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colorType, &interlace, nullptr, nullptr);
    if (colorType != PNG_COLOR_TYPE_PALETTE || depth != 8)
        png_error(png, "it must be an 8-bit palette-indexed image");
    png_colorp colors = nullptr;
    int count = 0;
    if (!png_get_PLTE(png, info, &colors, &count) || count < 1)
        png_error(png, "the image has no palette");
    if (interlace != PNG_INTERLACE_NONE)
        png_set_interlace_handling(png);
    png_read_update_info(png, info);
    VIndexedImage& image = job->image;
    image.width = int32_t(width);
    image.height = int32_t(height);
    image.paletteSize = count > kPaletteSize ? kPaletteSize : count;
    for (int i = 0; i < image.paletteSize; ++i)
        image.palette[i] = {colors[i].blue, colors[i].green, colors[i].red, 0};
    image.pixels.assign(std::size_t(width) * height, 0);
    job->rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        job->rows[y] = &image.pixels[std::size_t(y) * width];
    png_read_image(png, job->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

void WritePngFile(const std::string& path, const VIndexedImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
        throw VException("Cannot write \"" + path + "\": the image is empty or malformed.");
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw VException("Cannot write \"" + path + "\".");
    PngJob job;
    job.file = file.get();
    job.rows.resize(std::size_t(image.height));
    for (int32_t y = 0; y < image.height; ++y)
        job.rows[y] = const_cast<png_bytep>(&image.pixels[std::size_t(y) * image.width]);
    if (!WriteCore(&job, &image))
        throw VException("Cannot write \"" + path + "\": " + job.failure);
    if (std::fflush(file.get()) != 0)
        throw VException("Cannot write \"" + path + "\".");
}

VIndexedImage ReadPngFile(const std::string& path)
{
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw VException("Cannot open \"" + path + "\".");
    png_byte signature[8];
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0)
        throw VException("\"" + path + "\" is not a PNG image.");
    PngJob job;
    job.file = file.get();
    if (!ReadCore(&job))
        throw VException("Cannot read \"" + path + "\": " + job.failure + ".");
    // Indices past the palette would stand for colours that are not there.
    for (uint8_t index : job.image.pixels) {
        if (index >= job.image.paletteSize)
            throw VException("Cannot read \"" + path + "\": pixel index " + std::to_string(index) +
                             " lies outside its palette of " +
                             std::to_string(job.image.paletteSize) + " colours.");
    }
    return std::move(job.image);
}
