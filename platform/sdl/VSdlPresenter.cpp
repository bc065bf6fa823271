#include "platform/sdl/VSdlPresenter.h"

#include "engine/stage/VPresentPlan.h"
#include "saver/VStageSize.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

// The renderer's OpenGL implementation, when it uses one; null otherwise.
const char* GlRendererName(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name ||
        (std::strncmp(info.name, "opengl", 6) != 0))
        return nullptr;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    return getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
}

bool IsFormatOfFrame(const SDL_Surface* surface)
{
    return surface->format->format == SDL_PIXELFORMAT_ARGB8888 ||
           surface->format->format == SDL_PIXELFORMAT_RGB888;
}

}  // namespace

bool IsSoftwareGlRenderer(const char* name)
{
    if (!name)
        return false;
    for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
        if (std::strstr(name, soft))
            return true;
    return false;
}

VFitRect FitInto(int width, int height, int outW, int outH)
{
    const VIntRect fit = FitPicture({width, height}, {outW, outH});
    return {fit.x, fit.y, fit.width, fit.height};
}

VSdlPresenter::~VSdlPresenter()
{
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    if (staging_)
        SDL_FreeSurface(staging_);
}

bool VSdlPresenter::Open(SDL_Window* window, bool hardware)
{
    window_ = window;
    // The window's own surface is drawn through the X server's shared memory, never through
    // an OpenGL that the processor would draw.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (hardware) {
        renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (renderer_ && IsSoftwareGlRenderer(GlRendererName(renderer_))) {
            SDL_DestroyRenderer(renderer_);
            renderer_ = nullptr;
        }
    }
    if (renderer_ || SDL_GetWindowSurface(window))
        return true;
    window_ = nullptr;
    return false;
}

void VSdlPresenter::Show(int width, int height, bool scalable, const VRectList* changed,
                         const VIntRect& overlay, const Fill& fill)
{
    if (!window_ || width <= 0 || height <= 0)
        return;
    if (renderer_)
        ShowWithRenderer(width, height, changed, overlay, fill);
    else
        ShowOnSurface(width, height, scalable, changed, overlay, fill);
}

std::vector<VIntRect> VSdlPresenter::PartsToWrite(const VRectList* changed, int width, int height,
                                                  int shownW, int shownH, bool whole,
                                                  const VIntRect& overlay)
{
    const bool filtered = !IsWholeFactor({width, height}, {shownW, shownH});
    VPresentPlan plan = VPresentPlan::Make(whole ? nullptr : changed, width, height, shownW,
                                           shownH, filtered);
    std::vector<VIntRect> parts;
    switch (plan.kind) {
    case VPresentPlan::Kind::Whole:
        ++counts_.whole;
        return {VIntRect{0, 0, shownW, shownH}};
    case VPresentPlan::Kind::Parts:
        for (const VPresentPlan::Part& part : plan.parts)
            parts.push_back(part.shown);
        break;
    case VPresentPlan::Kind::Nothing:
        break;
    }
    if (parts.empty()) {
        ++counts_.unchanged;
        return parts;  // a read-out alone is not worth a present: it only tells of presents
    }
    ++counts_.parts;
    if (overlay.width > 0 && overlay.height > 0)
        parts.push_back(overlay);
    return parts;
}

void VSdlPresenter::ShowWithRenderer(int width, int height, const VRectList* changed,
                                     const VIntRect& overlay, const Fill& fill)
{
    if (!texture_ || frameWidth_ != width || frameHeight_ != height) {
        if (texture_)
            SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height);
        if (!texture_)
            return;
        // The frame is opaque: blending it (the default for a format with alpha) only costs.
        SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
        frameWidth_ = width;
        frameHeight_ = height;
        textureFresh_ = true;
    }
    // The texture holds the frame at its own size; the renderer scales it.
    const std::vector<VIntRect> parts =
        PartsToWrite(changed, width, height, width, height, textureFresh_, overlay);
    if (parts.empty())
        return;
    for (const VIntRect& part : parts) {
        const SDL_Rect area{part.x, part.y, part.width, part.height};
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture_, &area, &pixels, &pitch) != 0)
            return;
        fill(static_cast<uint32_t*>(pixels), pitch, width, height, part);
        SDL_UnlockTexture(texture_);
        counts_.pixels += int64_t(part.width) * part.height;
        ++counts_.uploads;
    }
    textureFresh_ = false;

    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    const VFitRect fit = FitInto(width, height, outW, outH);
    // Whole factors keep the art's pixels crisp; others are smoothed.
    SDL_SetTextureScaleMode(texture_, IsWholeFactor({width, height}, {fit.w, fit.h})
                                          ? SDL_ScaleModeNearest
                                          : SDL_ScaleModeLinear);
    const SDL_Rect dest{fit.x, fit.y, fit.w, fit.h};
    if (fit.w != outW || fit.h != outH) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
    SDL_RenderPresent(renderer_);
}

bool VSdlPresenter::FillBands(SDL_Surface* target, const VFitRect& fit)
{
    // The window's surface keeps what is written into it from frame to frame, so the bands
    // are drawn once for each surface and place of the picture, not with every frame.
    const DrawnBands now{target, target->pixels, target->w, target->h, target->pitch, fit};
    if (now == bands_)
        return false;
    bands_ = now;
    if (fit.w == target->w && fit.h == target->h)
        return true;
    // The bands beside the picture; the picture covers the rest.
    const SDL_Rect bands[] = {{0, 0, target->w, fit.y},
                              {0, fit.y + fit.h, target->w, target->h - fit.y - fit.h},
                              {0, fit.y, fit.x, fit.h},
                              {fit.x + fit.w, fit.y, target->w - fit.x - fit.w, fit.h}};
    SDL_FillRects(target, bands, 4, SDL_MapRGB(target->format, 0, 0, 0));
    return true;
}

void VSdlPresenter::ShowOnSurface(int width, int height, bool scalable, const VRectList* changed,
                                  const VIntRect& overlay, const Fill& fill)
{
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target)
        return;
    const VFitRect fit = FitInto(width, height, target->w, target->h);
    if (IsFormatOfFrame(target) && (scalable || (fit.w == width && fit.h == height))) {
        // Straight into the window's memory, scaled on the way where needed: no copy between.
        if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0)
            return;
        const bool fresh = FillBands(target, fit);
        const std::vector<VIntRect> parts =
            PartsToWrite(changed, width, height, fit.w, fit.h, fresh, overlay);
        std::vector<SDL_Rect> updates;
        for (const VIntRect& part : parts) {
            auto* pixels = static_cast<uint8_t*>(target->pixels) +
                           int64_t(fit.y + part.y) * target->pitch + int64_t(fit.x + part.x) * 4;
            fill(reinterpret_cast<uint32_t*>(pixels), target->pitch, fit.w, fit.h, part);
            updates.push_back(SDL_Rect{fit.x + part.x, fit.y + part.y, part.width, part.height});
            counts_.pixels += int64_t(part.width) * part.height;
        }
        if (SDL_MUSTLOCK(target))
            SDL_UnlockSurface(target);
        if (fresh) {
            // Bands and picture alike are new on this surface.
            SDL_UpdateWindowSurface(window_);
            ++counts_.uploads;
        } else if (!updates.empty()) {
            SDL_UpdateWindowSurfaceRects(window_, updates.data(), int(updates.size()));
            counts_.uploads += int64_t(updates.size());
        }
        return;
    }
    // Another pixel format, or a picture that cannot be asked for another size: through a
    // surface of the frame's own, which SDL converts and scales, always whole.
    const bool fresh = FillBands(target, fit);
    if (!fresh && VPresentPlan::Make(changed, width, height, width, height, false).kind ==
                      VPresentPlan::Kind::Nothing) {
        ++counts_.unchanged;
        return;
    }
    ++counts_.whole;
    if (!staging_ || staging_->w != width || staging_->h != height) {
        if (staging_)
            SDL_FreeSurface(staging_);
        staging_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!staging_)
            return;
        SDL_SetSurfaceBlendMode(staging_, SDL_BLENDMODE_NONE);
    }
    fill(static_cast<uint32_t*>(staging_->pixels), staging_->pitch, width, height,
         VIntRect{0, 0, width, height});
    counts_.pixels += int64_t(width) * height;
    ++counts_.uploads;
    SDL_Rect dest{fit.x, fit.y, fit.w, fit.h};
    if (fit.w == width && fit.h == height)
        SDL_BlitSurface(staging_, nullptr, target, &dest);
    else
        SDL_BlitScaled(staging_, nullptr, target, &dest);
    SDL_UpdateWindowSurface(window_);
}
