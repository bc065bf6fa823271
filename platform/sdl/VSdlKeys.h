#pragma once

#include <SDL2/SDL_keycode.h>
#include <cstdint>

// The key code the stage's key events carry: the Windows virtual-key code of the key, so
// the show's key rules ("S" is 83, keypad plus 107, minus 109, Escape 27) work unchanged.
// 0 for keys that have none.
uint8_t VirtualKeyOf(SDL_Keycode key);

constexpr uint8_t kVirtualKeyEscape = 27;
