#pragma once

#include <cstdint>
#include <functional>

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
class VSdlPresenter {
public:
    // Writes the frame's pixels (`pitch` bytes per row) where they are shown, at width x
    // height: the frame's own size, or the size it is shown at when the fill may scale.
    using Fill = std::function<void(uint32_t* pixels, int pitch, int width, int height)>;

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
    void Show(int width, int height, bool scalable, const Fill& fill);

private:
    void ShowWithRenderer(int width, int height, const Fill& fill);
    void ShowOnSurface(int width, int height, bool scalable, const Fill& fill);
    // Black where the picture does not cover the window's surface.
    void FillBands(SDL_Surface* target, const VFitRect& fit);

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
    DrawnBands bands_;
};

// True for the names that OpenGL gives its processor-drawn implementations.
bool IsSoftwareGlRenderer(const char* name);

