#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/VBmpWriter.h"
#include "engine/graphics/VDib.h"
#include "engine/graphics/VDibSurface.h"
#include "engine/pixies/RegisterPixieClasses.h"
#include "engine/pixies/VPixieHost.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamWriter.h"
#include "engine/stream/VTimer.h"

// A stage for pixie tests: a clock set by hand, plain bitmap surfaces, and a record of the
// rectangles reported dirty. It is the current stage while it lives.
class TestPixieHost : public VPixieHost {
public:
    TestPixieHost()
    {
        RegisterPixieClasses();
        GetChildren().push_back(this);
        SetCurrentStage(this);
    }
    ~TestPixieHost() override
    {
        // The components go before the stage part, while they can still reach it.
        std::vector<VComponent*> owned = GetOwned();
        for (auto it = owned.rbegin(); it != owned.rend(); ++it)
            delete *it;
        SetCurrentStage(nullptr);
    }

    double GetTime() override { return now; }
    std::unique_ptr<VSurface> CreateSurface(int width, int height) override
    {
        return std::make_unique<VDibSurface>(static_cast<float>(width), static_cast<float>(height));
    }
    void InvalidRect(const VRect& rect) override { invalid.push_back(rect); }
    void HandleException(const std::string& message) override { reports.push_back(message); }

    // Reads a stream whose records the test wrote.
    void Load(const VStreamWriter& writer)
    {
        VMemoryStream in(writer.Bytes());
        AddComponentStream(&in);
    }

    // Moves the clock to `end` in steps, ticking due timers as the run loop does.
    void RunUntil(double end, double step = 1.0)
    {
        while (now < end) {
            now = std::min(end, now + step);
            TickDue();
        }
    }
    void TickDue()
    {
        while (VTimer* next = NextTimer(GetTimers())) {
            if (!(next->GetNextDue() < now))
                break;
            next->Tick();
        }
    }

    double now = 0.0;
    std::vector<VRect> invalid;
    std::vector<std::string> reports;
};

// A bitmap whose pixel (x, y) has index (y * width + x) % 256 unless `fill` is given, and whose
// palette entry i is (red i, green 255 - i, blue i / 2), so every index has its own colour.
inline std::unique_ptr<VDib> TestDib(int width, int height, int fill = -1)
{
    auto dib = std::make_unique<VDib>(width, height);
    VPaletteEntry* colours = dib->GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i) {
        colours[i].red = static_cast<uint8_t>(i);
        colours[i].green = static_cast<uint8_t>(255 - i);
        colours[i].blue = static_cast<uint8_t>(i / 2);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            *dib->GetPixelAddress(x, y) = static_cast<uint8_t>(fill >= 0 ? fill : (y * width + x) % 256);
    return dib;
}

inline std::string TestBmp(int width, int height, int fill = -1)
{
    return BmpBytes(*TestDib(width, height, fill));
}

// The colour value of palette index i in TestDib's palette.
inline int32_t TestColour(int i)
{
    return i | ((255 - i) << 8) | ((i / 2) << 16);
}
