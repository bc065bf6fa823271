#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "engine/pixies/VPixie.h"
#include "engine/stream/VException.h"
#include "engine/stream/VStreamWriter.h"
#include "engine/stream/VTimer.h"
#include "platform/headless/VHeadlessStage.h"

namespace stagetest {

// An 8-bit BMP of one colour index whose palette entry i is (i, 255 - i, i / 2).
inline std::string SolidBmp(int width, int height, int index)
{
    VDib dib(width, height);
    VPaletteEntry* colors = dib.GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        colors[i] = VPaletteEntry{uint8_t(i / 2), uint8_t(255 - i), uint8_t(i), 0};
    dib.Fill(index);
    return BmpBytes(dib);
}

// A main stream with only the stage's own record.
inline std::string StageStream(const VPropertyWriter& stage = VPropertyWriter().Text("Caption", "Test"))
{
    return VStreamWriter().Header({"Version=1"}).Record("VStage", "Stage", stage).Bytes();
}

// A pixie that paints a solid block of one palette index and logs its draws.
class BlockPixie : public VPixie {
public:
    BlockPixie(std::string name, VComponentManager& stage, int index, float w, float h,
               std::vector<std::string>* log = nullptr)
        : VPixie(std::move(name), &stage), index_(index), w_(w), h_(h), log_(log)
    {
        stage.GetChildren().push_back(this);
    }

    float GetXPos() const override { return x_; }
    void SetXPos(float x) override { x_ = x; }
    float GetYPos() const override { return y_; }
    void SetYPos(float y) override { y_ = y; }
    float GetZPos() const override { return z_; }
    void SetZPos(float z) override { z_ = z; }
    bool UpdateRect() override { return false; }
    void Draw(VSurface& target, float x, float y, const VRectList*) override
    {
        if (log_)
            log_->push_back(GetName());
        target.GetDib()->FillRect(VRect(x, y, w_, h_), index_);
    }

private:
    float x_ = 0, y_ = 0, z_ = 0;
    int index_;
    float w_, h_;
    std::vector<std::string>* log_;
};

// A timer that runs a function on each tick.
class FnTimer : public VTimer {
public:
    template <class F>
    FnTimer(std::string name, VComponent* owner, double interval, F f)
        : VTimer(std::move(name), owner, interval, true), f_(std::move(f))
    {
    }
    void OnTick() override { f_(*this); }

private:
    std::function<void(FnTimer&)> f_;
};

// Records the events it listens to, by name, and runs an optional action for each.
class EventLog {
public:
    void Listen(VComponent& source, const std::string& event, std::function<void()> action = {})
    {
        entries_.push_back(std::make_unique<Entry>(Entry{this, event, std::move(action)}));
        source.AddHandler(event, &EventLog::Handle, entries_.back().get());
    }

    std::vector<std::string> names;

private:
    struct Entry {
        EventLog* log;
        std::string event;
        std::function<void()> action;
    };
    static void Handle(VComponent*, VEvent*, void* data)
    {
        auto* entry = static_cast<Entry*>(data);
        entry->log->names.push_back(entry->event);
        if (entry->action)
            entry->action();
    }
    std::vector<std::unique_ptr<Entry>> entries_;
};

// Loads `stream` into a fresh headless stage.
inline std::unique_ptr<VHeadlessStage> LoadedStage(const std::string& stream = StageStream())
{
    auto stage = std::make_unique<VHeadlessStage>();
    stage->SetMainStream(stream);
    stage->Load();
    return stage;
}

}  // namespace stagetest
