// Balloon text and shapes drawn by GDI into a bitmap's DIB section, checked pixel by pixel.
// Run under Wine by saver_test.sh ("gdi"); prints each failed check and "PASS" at the end.

#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/graphics/VDib.h"
#include "engine/graphics/VTextRenderer.h"
#include "engine/stream/VException.h"
#include "platform/win32/VDibStage.h"
#include "platform/win32/VGdiTextRenderer.h"
#include "platform/win32/VWinDibPlatform.h"
#include "tests/stage/FailingPixie.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& what)
{
    if (!ok) {
        std::printf("FAIL: %s\n", what.c_str());
        ++failures;
    }
}

// The show's palettes keep white low in the table and a light beige at 255, where a grey
// ramp has its white.
constexpr int kBlack = 0;
constexpr int kWhite = 31;
constexpr int kBeige = 255;
constexpr int kRed = 40;

void GiveShowPalette(VDib& dib)
{
    VPaletteEntry* colours = dib.GetPaletteEntries();
    for (int i = 0; i < kPaletteSize; ++i)
        colours[i] = VPaletteEntry{uint8_t(i / 2), uint8_t(60 + i / 4), uint8_t(i / 3), 0};
    colours[kBlack] = VPaletteEntry{0, 0, 0, 0};
    colours[kWhite] = VPaletteEntry{255, 255, 255, 0};
    colours[kBeige] = VPaletteEntry{218, 234, 242, 0};
    colours[kRed] = VPaletteEntry{0, 0, 200, 0};
}

int Count(const VDib& dib, const VTextBox& box, int index)
{
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            n += dib.GetPixelIndex(x, y) == index;
    return n;
}

void TextAndBubble()
{
    VDib dib(200, 120);
    GiveShowPalette(dib);
    dib.Fill(kRed);
    {
        VTextFont font;
        std::unique_ptr<VTextPainter> painter = GetTextRenderer().Begin(dib, font);
        Check(dib.GetDCDepth() == 1, "the painter holds the bitmap's device context");
        VTextExtent hello = painter->MeasureLine("Hello");
        VTextExtent longer = painter->MeasureLine("Hello there, traveller");
        Check(hello.cx > 10 && hello.cy >= 12 && hello.cy <= 40,
              "one line measures " + std::to_string(hello.cx) + " x " + std::to_string(hello.cy));
        Check(longer.cx > hello.cx && longer.cy == hello.cy, "a longer line is wider, as high");
        VTextBox narrow{20, 20, 80, 20};
        VTextBox wrapped = painter->MeasureWrapped("one two three four five six seven", narrow);
        Check(wrapped.Height() >= 3 * hello.cy, "words wrap into lines in a narrow box");
        Check(wrapped.left == 20 && wrapped.top == 20, "the wrapped box keeps its corner");

        const VPoint bubble[] = {{10, 10}, {190, 10}, {190, 110}, {10, 110}};
        painter->Polygon(bubble, 4);
        painter->DrawWrapped("WWW", VTextBox{30, 30, 170, 90});
    }
    Check(dib.GetDCDepth() == 0, "the painter gives the device context back");
    Check(dib.GetPixelIndex(100, 12) == kWhite,
          "the bubble is filled with the palette's white, not index " +
              std::to_string(dib.GetPixelIndex(100, 12)));
    Check(dib.GetPixelIndex(10, 60) == kBlack && dib.GetPixelIndex(100, 10) == kBlack,
          "the bubble has a black outline");
    Check(dib.GetPixelIndex(5, 5) == kRed && dib.GetPixelIndex(195, 115) == kRed,
          "nothing is drawn outside the bubble");
    const VTextBox textArea{30, 30, 170, 90};
    const int black = Count(dib, textArea, kBlack);
    const int white = Count(dib, textArea, kWhite);
    Check(black > 30, "the text is drawn in black (" + std::to_string(black) + " pixels)");
    Check(black + white > textArea.Width() * textArea.Height() * 9 / 10,
          "the text area is black on white");
    Check(Count(dib, VTextBox{0, 0, 200, 120}, kBeige) == 0, "no pixel took the grey ramp's white");
}

void PreviewFontIsLarger()
{
    VDib dib(50, 50);
    VTextFont small, large;
    large.height = 32;
    int smallHeight = GetTextRenderer().Begin(dib, small)->MeasureLine("Hi").cy;
    int largeHeight = GetTextRenderer().Begin(dib, large)->MeasureLine("Hi").cy;
    Check(largeHeight > smallHeight, "a 32-pixel font measures higher than a 19-pixel one");
}

void DeviceContextStack()
{
    VDib dib(8, 8);
    Check(dib.HasSection() && dib.GetBits() != nullptr, "the pixels live in a DIB section");
    Check(dib.GetPalette() == nullptr, "no platform palette before the bitmap has a palette");
    VHandle first = dib.PushDC();
    VHandle second = dib.PushDC();
    Check(first != nullptr && first == second, "nested pushes lend one device context");
    dib.PopDC();
    dib.PopDC();
    bool refused = false;
    try {
        dib.PopDC();
    } catch (const VException&) {
        refused = true;
    }
    Check(refused && dib.GetDCDepth() == 0, "a pop without a push is refused");
}

// Without a window the stage shows nothing, but fades and recomposes all the same.
void FadeMeetingAFailure()
{
    VDibStage stage(GetModuleHandleA(nullptr));
    std::unique_ptr<VSurface> background = stage.CreateSurface(16, 16);
    std::unique_ptr<VSurface> frame = stage.CreateSurface(16, 16);
    stage.ExchangeSurfaces(background, frame);
    new FailingPixie(stage);  // owned by the stage
    bool thrown = false;
    try {
        stage.FadeTransition(false, true);
    } catch (const VException&) {
        thrown = true;
    }
    Check(thrown, "the failing pixie's exception leaves the fade");
    Check(!stage.IsClockPaused(), "a failed fade leaves the clock running");
    Check(!stage.IsPresentHeld(), "a failed fade leaves presentation on");
}

}  // namespace

int main()
{
    InstallWinDibPlatform();
    InstallGdiTextRenderer();
    try {
        TextAndBubble();
        PreviewFontIsLarger();
        DeviceContextStack();
        FadeMeetingAFailure();
    } catch (const VException& e) {
        Check(false, "exception: " + e.GetMessage());
    }
    if (failures == 0)
        std::printf("PASS\n");
    return failures == 0 ? 0 : 1;
}
