#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/VGifWriter.h"
#include "platform/headless/VIndexedImage.h"

struct VRecordOptions {
    enum class Format { Png, Gif };
    Format format = Format::Gif;
    // GIF: the file. PNG: a name whose run of '#' becomes the zero-padded frame number
    // ("shot-####.png"); without '#', "-00000" style numbers go before the extension.
    std::string path;
    // Keep every Nth presented frame (1 = all of them) ...
    int everyNth = 1;
    // ... or, when above 0, the frame on show at every multiple of this many show ms.
    double stepMs = 0;
};

// Chooses which presented frames to keep and writes them as PNG files or one animated GIF.
class VFrameRecorder {
public:
    explicit VFrameRecorder(VRecordOptions options);

    void OnPresent(const VIndexedImage& frame, double time);
    // Writes what is still due up to show time `endTime` and closes the output.
    void Finish(double endTime);

    int GetRecordedCount() const { return recorded_; }
    const std::vector<std::string>& GetWrittenFiles() const { return files_; }

private:
    void Emit(const VIndexedImage& frame, double time);

    VRecordOptions options_;
    std::unique_ptr<VGifWriter> gif_;
    std::optional<VIndexedImage> last_;
    double nextSample_ = 0;
    long long presented_ = 0;
    int recorded_ = 0;
    bool finished_ = false;
    std::vector<std::string> files_;
};

// The file name of PNG frame `number` for a recording named `pattern`.
std::string FramePath(const std::string& pattern, int number);
