#pragma once

// Keys by the stage's key codes (the Windows virtual-key codes, on every platform).

// Shift, Ctrl, Alt, the Windows (Super) keys and Caps Lock: pressed alone they only prepare
// another key (Shift before the S of a capital S), so they never end the saver.
constexpr bool IsModifierKey(int code)
{
    switch (code) {
    case 16:   // Shift
    case 17:   // Ctrl
    case 18:   // Alt (and AltGr)
    case 20:   // Caps Lock
    case 91:   // left Windows key
    case 92:   // right Windows key
    case 160: case 161:  // left and right Shift
    case 162: case 163:  // left and right Ctrl
    case 164: case 165:  // left and right Alt
        return true;
    default:
        return false;
    }
}
