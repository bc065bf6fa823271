#include "platform/headless/VFrameRecorder.h"

#include <cmath>

#include "engine/stream/VException.h"
#include "platform/headless/VPngFile.h"

std::string FramePath(const std::string& pattern, int number)
{
    std::size_t first = pattern.find('#');
    std::string digits = std::to_string(number);
    if (first == std::string::npos) {
        std::size_t slash = pattern.find_last_of('/');
        std::size_t dot = pattern.find_last_of('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
            dot = pattern.size();
        if (digits.size() < 5)
            digits.insert(0, 5 - digits.size(), '0');
        return pattern.substr(0, dot) + "-" + digits + pattern.substr(dot);
    }
    std::size_t last = pattern.find_first_not_of('#', first);
    if (last == std::string::npos)
        last = pattern.size();
    std::size_t width = last - first;
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return pattern.substr(0, first) + digits + pattern.substr(last);
}

VFrameRecorder::VFrameRecorder(VRecordOptions options) : options_(std::move(options))
{
    if (options_.path.empty())
        throw VException("A recording needs a file name.");
    if (options_.everyNth < 1)
        throw VException("A recording keeps every Nth frame with N of at least 1.");
    if (!(options_.stepMs >= 0))
        throw VException("A recording's time step cannot be negative.");
    if (options_.format == VRecordOptions::Format::Gif)
        gif_ = std::make_unique<VGifWriter>(options_.path);
}

void VFrameRecorder::OnPresent(const VIndexedImage& frame, double time)
{
    if (finished_)
        return;
    if (options_.stepMs > 0) {
        // The frame on show at a sample time is the last one presented at or before it.
        if (!last_)
            nextSample_ = std::ceil(time / options_.stepMs) * options_.stepMs;
        while (last_ && nextSample_ < time) {
            Emit(*last_, nextSample_);
            nextSample_ += options_.stepMs;
        }
        last_ = frame;
        return;
    }
    if (presented_++ % options_.everyNth == 0)
        Emit(frame, time);
}

void VFrameRecorder::Finish(double endTime)
{
    if (finished_)
        return;
    finished_ = true;
    if (options_.stepMs > 0) {
        while (last_ && nextSample_ <= endTime) {
            Emit(*last_, nextSample_);
            nextSample_ += options_.stepMs;
        }
    }
    if (gif_)
        gif_->Close(options_.stepMs > 0 ? nextSample_ : endTime);
}

void VFrameRecorder::Emit(const VIndexedImage& frame, double time)
{
    if (gif_) {
        gif_->AddFrame(frame, time);
    } else {
        std::string path = FramePath(options_.path, recorded_);
        WritePngFile(path, frame);
        files_.push_back(path);
    }
    ++recorded_;
}
