#pragma once

#include <string>
#include <vector>

// What the about program edits: the "Sound", "Engine", "Skin" and "Dir" values of the show's
// settings, with the choices it offers.
struct VAboutValues {
    bool sound = true;
    std::string engine = "1";
    // Empty: the ship keeps its built-in skin.
    std::string skin;
    std::string dir;

    // The engine types the ship's engine sprite has sequences for.
    static constexpr int kEngineTypes = 3;

    // The settings as they stand; "Dir" falls back on `defaultDir`, a malformed engine on "1".
    static VAboutValues Load(const std::string& defaultDir);
    // Writes all four values. "Dir" is written too, so that a saver installed elsewhere (the
    // display settings copy it into the system folder) still finds its scenes.
    void Save() const;

    // The skin names (without ".bmp") in dir's Skins folder, sorted; none when it is missing.
    static std::vector<std::string> ListSkins(const std::string& dir);
};
