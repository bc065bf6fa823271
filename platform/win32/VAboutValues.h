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
    // The data folder as shown; the show's own choice until the user picks another.
    std::string dir;
    // The folder as loaded, to tell a choice of the user's from the show's own.
    std::string loadedDir;

    // The engine types the ship's engine sprite has sequences for.
    static constexpr int kEngineTypes = 3;
    // What engine type `type` (1 to kEngineTypes) looks like.
    static const char* EngineName(int type);

    // The settings as they stand, showing `dataDir` (the folder the show uses) as the folder;
    // a malformed engine reads as "1".
    static VAboutValues Load(const std::string& dataDir);
    // Writes the sound, engine and skin. "Dir" only when the user changed the folder: a stored
    // folder wins over the data beside the saver, so storing the one found there would lose
    // the scenes as soon as the folder moved. An emptied folder clears "Dir".
    void Save() const;

    // The skin names (without ".bmp") in dir's Skins folder, sorted; none when it is missing.
    static std::vector<std::string> ListSkins(const std::string& dir);
};
