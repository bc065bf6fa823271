#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/graphics/VRect.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;

// Where a width x height frame goes in an outW x outH window: as large as fits with the
// frame's proportions, centred.
struct VFitRect {
    int x, y, w, h;
    bool operator==(const VFitRect&) const = default;
};
VFitRect FitInto(int width, int height, int outW, int outH);

// Where a finished frame of 32-bit pixels goes. On graphics hardware: a streaming texture,
// scaled by the renderer. Where OpenGL itself is drawn by the processor (a virtual display,
// a machine without a graphics driver) that would cost several times more than the frame, so
// the pixels go straight into the window's own surface, scaled there only when they must be.
//
// Only what changed is written and handed to the display: the parts of the picture that the
// frame's changed rectangles decide, or nothing at all when nothing changed.
class VSdlPresenter {
public:
    // Writes the pixels `part` of the picture (width x height: the frame's own size, or the
    // size it is shown at when the fill may scale), from `pixels` on, where the part's
    // top-left pixel goes, `pitch` bytes per row.
    using Fill = std::function<void(uint32_t* pixels, int pitch, int width, int height,
                                    const VIntRect& part)>;

    // What the presents cost, for the benchmark's read-out.
    struct Counts {
        long long whole = 0;      // frames written whole
        long long parts = 0;      // frames written in parts
        long long unchanged = 0;  // frames with nothing to show: nothing converted or sent
        long long pixels = 0;     // pixels written
        long long uploads = 0;    // rectangles handed to the display
    };

    VSdlPresenter() = default;
    ~VSdlPresenter();
    VSdlPresenter(const VSdlPresenter&) = delete;
    VSdlPresenter& operator=(const VSdlPresenter&) = delete;

    // `hardware`: try a renderer first (not for a window that another program made, whose
    // visual may not suit OpenGL). False when the window can show nothing at all.
    bool Open(SDL_Window* window, bool hardware);
    bool IsOpen() const { return window_ != nullptr; }
    bool UsesRenderer() const { return renderer_ != nullptr; }

    // A width x height frame, fitted into the window with its own proportions; the rest of
    // the window is black. With `scalable` the fill is asked for the shown size directly.
    // `changed`: the frame's changed rectangles (null: all of it). `overlay`: pixels of the
    // picture written every time something is (a read-out drawn over it); empty for none.
    void Show(int width, int height, bool scalable, const VRectList* changed,
              const VIntRect& overlay, const Fill& fill);

    const Counts& GetCounts() const { return counts_; }

private:
    void ShowWithRenderer(int width, int height, const VRectList* changed,
                          const VIntRect& overlay, const Fill& fill);
    void ShowOnSurface(int width, int height, bool scalable, const VRectList* changed,
                       const VIntRect& overlay, const Fill& fill);
    // The picture's pixels to write for a width x height frame shown at shownW x shownH:
    // none, some, or (one rectangle) all of them.
    std::vector<VIntRect> PartsToWrite(const VRectList* changed, int width, int height,
                                       int shownW, int shownH, bool whole, const VIntRect& overlay);
    // Black where the picture does not cover the window's surface. True when the surface
    // or the picture's place is new, so nothing of an earlier picture is on it.
    bool FillBands(SDL_Surface* target, const VFitRect& fit);

    // The surface (and its memory and layout) and the picture's place that the bands were
    // last drawn for.
    struct DrawnBands {
        const SDL_Surface* surface = nullptr;
        const void* pixels = nullptr;
        int width = 0, height = 0, pitch = 0;
        VFitRect fit{};
        bool operator==(const DrawnBands&) const = default;
    };

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Surface* staging_ = nullptr;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    // The texture holds no picture yet (new, or its contents lost).
    bool textureFresh_ = true;
    DrawnBands bands_;
    Counts counts_;
};

// True for the names that OpenGL gives its processor-drawn implementations.
bool IsSoftwareGlRenderer(const char* name);

