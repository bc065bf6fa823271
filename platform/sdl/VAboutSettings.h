#pragma once

#include <string>
#include <vector>

// What the about program lets the user change: sound on or off, the engine type, the ship
// skin and the resolution the show is drawn at. Values come from and go to the settings file
// ("Sound", "Engine", "Skin", "Resolution").
class VAboutSettings {
public:
    // The engine types the ship's engine sprite has sequences for.
    static constexpr int kEngineTypes = 3;
    // The resolutions offered, as the show's --resolution takes them; the empty value, first,
    // draws at the display's own size.
    static const std::vector<std::string>& Resolutions();

    // `dataDir` is where Skins/ lies.
    explicit VAboutSettings(std::string dataDir);

    // Also notes a settings file that cannot be read (GetProblem).
    void Load();
    // Writes every value; false when the settings could not be stored (GetProblem says why;
    // the log has it too), and the values go back to what the settings hold.
    bool Save();

    void ToggleSound() { sound_ = !sound_; }
    // 1, 2, 3, then 1 again; an unknown value starts over at 1.
    void NextEngine();
    // The built-in skin (empty name), then every skin file by name, then the built-in again.
    void NextSkin();
    // Through Resolutions(); a value not offered there starts over at the display's own.
    void NextResolution();

    bool IsSoundOn() const { return sound_; }
    const std::string& GetEngine() const { return engine_; }
    const std::string& GetSkin() const { return skin_; }
    const std::string& GetResolution() const { return resolution_; }
    // Why the settings file could not be read or written at the last Load or Save; empty
    // when all went well.
    const std::string& GetProblem() const { return problem_; }
    // Skin names (file names without ".bmp"), sorted; the built-in skin is not listed.
    const std::vector<std::string>& GetSkins() const { return skins_; }

private:
    void LoadValues();

    std::string dataDir_;
    bool sound_ = true;
    std::string engine_ = "1";
    std::string skin_;
    std::string resolution_;
    std::vector<std::string> skins_;
    std::string problem_;
};
