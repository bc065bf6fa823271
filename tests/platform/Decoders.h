#pragma once

// Independent readers of the files the headless stage writes, straight on libpng and giflib.

#include <gif_lib.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace decode {

struct Png {
    bool ok = false;
    int colorType = -1;
    int depth = 0;
    unsigned width = 0, height = 0;
    std::vector<png_color> palette;
    std::vector<std::vector<uint8_t>> rows;
};

inline Png ReadPng(const std::string& path)
{
    Png out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return out;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        out.ok = false;
        return out;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    out.width = png_get_image_width(png, info);
    out.height = png_get_image_height(png, info);
    out.colorType = png_get_color_type(png, info);
    out.depth = png_get_bit_depth(png, info);
    png_colorp colors = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &colors, &count))
        out.palette.assign(colors, colors + count);
    out.rows.assign(out.height, std::vector<uint8_t>(png_get_rowbytes(png, info)));
    for (auto& row : out.rows)
        png_read_row(png, row.data(), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    out.ok = true;
    return out;
}

struct GifFrame {
    int delay = -1;  // centiseconds
    bool localMap = false;
    std::vector<GifColorType> colors;  // the map in force for the frame
    std::vector<uint8_t> pixels;
};

struct Gif {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<GifColorType> global;
    std::vector<GifFrame> frames;
};

inline Gif ReadGif(const std::string& path)
{
    Gif out;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return out;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return out;
    }
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    if (gif->SColorMap)
        out.global.assign(gif->SColorMap->Colors, gif->SColorMap->Colors + gif->SColorMap->ColorCount);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        GifFrame frame;
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK)
            frame.delay = gcb.DelayTime;
        frame.localMap = image.ImageDesc.ColorMap != nullptr;
        frame.colors = frame.localMap ? std::vector<GifColorType>(image.ImageDesc.ColorMap->Colors,
                                                                  image.ImageDesc.ColorMap->Colors +
                                                                      image.ImageDesc.ColorMap->ColorCount)
                                      : out.global;
        std::size_t n = std::size_t(image.ImageDesc.Width) * image.ImageDesc.Height;
        frame.pixels.assign(image.RasterBits, image.RasterBits + n);
        out.frames.push_back(std::move(frame));
    }
    DGifCloseFile(gif, &error);
    out.ok = true;
    return out;
}

}  // namespace decode
