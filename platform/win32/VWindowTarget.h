#pragma once

#include <windows.h>

#include "engine/graphics/VDrawTarget.h"

// A window as the place a bitmap is shown: StretchDIBits on its device context, with the
// bitmap's palette selected and realised around the call.
class VWindowTarget : public VDrawTarget {
public:
    explicit VWindowTarget(HWND window) : window_(window) {}

    void ShowBits(VDib& dib, int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                  int32_t srcY, int32_t srcWidth, int32_t srcHeight) override;

private:
    HWND window_;
};
