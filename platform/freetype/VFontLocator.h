#pragma once

#include <string>

struct VFontFile {
    std::string path;
    int index = 0;  // face within a collection file
    std::string family;
};

// The installed regular upright face of exactly `family` (letter case aside), found through
// fontconfig; an empty path when that family is not installed.
VFontFile FindFontFamily(const std::string& family);
// Whatever fontconfig offers for a generic sans-serif face; empty path when nothing at all.
VFontFile FindAnySansFont();
