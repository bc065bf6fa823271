#pragma once

#include <optional>
#include <string>

#include "platform/headless/VIndexedImage.h"

struct GifFileType;

// Writes frames into one looping animated GIF as they come. Each frame carries its own palette
// (a local colour table when it differs from the first frame's); its delay is the show time
// until the next frame, so it is written one frame late.
class VGifWriter {
public:
    explicit VGifWriter(std::string path);
    ~VGifWriter();
    VGifWriter(const VGifWriter&) = delete;
    VGifWriter& operator=(const VGifWriter&) = delete;

    // The frame is shown from show time `time` (ms). Frames of another size than the first
    // are cut or padded to it.
    void AddFrame(const VIndexedImage& frame, double time);
    // Writes the last frame, shown until `endTime`, and closes the file. Without frames no
    // file is made.
    void Close(double endTime);

    int GetFrameCount() const { return written_; }
    const std::string& GetPath() const { return path_; }

private:
    void Open(const VIndexedImage& first);
    void WritePending(double nextTime);
    [[noreturn]] void Fail(const std::string& what);

    std::string path_;
    GifFileType* gif_ = nullptr;
    VIndexedImage first_;
    std::optional<VIndexedImage> pending_;
    double pendingTime_ = 0;
    int written_ = 0;
};
