#pragma once

#include <cstdint>

struct _XDisplay;

// An X connection of its own for facts about windows that SDL does not give: the screen's
// root window, and whether a window that another program made still exists.
class VForeignWindowWatch {
public:
    // Opens the display named by $DISPLAY; every question answers "no" when that fails.
    VForeignWindowWatch();
    ~VForeignWindowWatch();
    VForeignWindowWatch(const VForeignWindowWatch&) = delete;
    VForeignWindowWatch& operator=(const VForeignWindowWatch&) = delete;

    bool IsOpen() const { return display_ != nullptr; }
    uint64_t ScreenRoot() const;
    bool Exists(uint64_t window) const;
    // The window's size; false when it does not exist.
    bool GetSize(uint64_t window, int& width, int& height) const;
    // Gives the window back its own background (the desktop's picture on the root window);
    // where it has none, black, rather than the last picture drawn into it.
    void ClearToBackground(uint64_t window) const;

private:
    _XDisplay* display_ = nullptr;
};
