#include "platform/headless/VGifWriter.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "engine/stream/VException.h"

namespace {

// A GIF delay is in hundredths of a second; rounding both ends keeps the sum of the delays
// equal to the rounded show time, however many frames there are.
int Centiseconds(double ms)
{
    return static_cast<int>(std::llround(ms / 10.0));
}

ColorMapObject* MakeMap(const VIndexedImage& image)
{
    GifColorType colors[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i) {
        const VPaletteEntry& e = image.palette[i];
        colors[i] = {e.red, e.green, e.blue};
    }
    return GifMakeMapObject(kPaletteSize, colors);
}

}  // namespace

VGifWriter::VGifWriter(std::string path) : path_(std::move(path)) {}

VGifWriter::~VGifWriter()
{
    if (gif_) {
        int error = 0;
        EGifCloseFile(gif_, &error);
    }
}

void VGifWriter::Fail(const std::string& what)
{
    int code = gif_ ? gif_->Error : 0;
    if (gif_) {
        int error = 0;
        EGifCloseFile(gif_, &error);
        gif_ = nullptr;
    }
    const char* reason = code ? GifErrorString(code) : nullptr;
    throw VException("Cannot write \"" + path_ + "\": " + what + (reason ? std::string(" (") + reason + ")" : ""));
}

void VGifWriter::Open(const VIndexedImage& first)
{
    if (first.width <= 0 || first.height <= 0 || first.width > 65535 || first.height > 65535)
        throw VException("Cannot write \"" + path_ + "\": a GIF frame needs a size from 1 to 65535.");
    // Opened here rather than by giflib, which makes the file readable by its owner only; a
    // recording is a file like any other, under the user's umask.
    int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0)
        throw VException("Cannot write \"" + path_ + "\": " + std::strerror(errno));
    int error = 0;
    gif_ = EGifOpenFileHandle(fd, &error);
    if (!gif_) {
        ::close(fd);
        throw VException("Cannot write \"" + path_ + "\": " + std::string(GifErrorString(error)));
    }
    first_ = first;
    EGifSetGifVersion(gif_, true);
    ColorMapObject* map = MakeMap(first);
    int ok = EGifPutScreenDesc(gif_, first.width, first.height, 8, 0, map);
    GifFreeMapObject(map);
    if (ok != GIF_OK)
        Fail("screen descriptor");
    // Loop for ever.
    static const GifByteType netscape[] = "NETSCAPE2.0";
    static const GifByteType loop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif_, 11, netscape) != GIF_OK ||
        EGifPutExtensionBlock(gif_, 3, loop) != GIF_OK || EGifPutExtensionTrailer(gif_) != GIF_OK)
        Fail("loop extension");
}

void VGifWriter::AddFrame(const VIndexedImage& frame, double time)
{
    if (!gif_)
        Open(frame);
    if (pending_)
        WritePending(time);
    pending_ = frame;
    pendingTime_ = time;
}

void VGifWriter::WritePending(double nextTime)
{
    const VIndexedImage& frame = *pending_;
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = std::clamp(Centiseconds(nextTime) - Centiseconds(pendingTime_), 0, 65535);
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    std::size_t length = EGifGCBToExtension(&gcb, extension);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension) != GIF_OK)
        Fail("frame delay");

    bool ownPalette = frame.palette != first_.palette;
    ColorMapObject* map = ownPalette ? MakeMap(frame) : nullptr;
    int ok = EGifPutImageDesc(gif_, 0, 0, first_.width, first_.height, false, map);
    if (map)
        GifFreeMapObject(map);
    if (ok != GIF_OK)
        Fail("image descriptor");
    std::vector<GifPixelType> line(std::size_t(first_.width), 0);
    for (int32_t y = 0; y < first_.height; ++y) {
        std::fill(line.begin(), line.end(), 0);
        if (y < frame.height) {
            int32_t n = std::min(frame.width, first_.width);
            std::memcpy(line.data(), &frame.pixels[std::size_t(y) * frame.width], std::size_t(n));
        }
        if (EGifPutLine(gif_, line.data(), first_.width) != GIF_OK)
            Fail("pixels");
    }
    ++written_;
    pending_.reset();
}

void VGifWriter::Close(double endTime)
{
    if (!gif_)
        return;
    if (pending_)
        WritePending(std::max(endTime, pendingTime_));
    int error = 0;
    int ok = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    if (ok != GIF_OK)
        throw VException("Cannot write \"" + path_ + "\": " + std::string(GifErrorString(error)));
}
