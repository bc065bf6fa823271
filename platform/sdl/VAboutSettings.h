#pragma once

#include <string>
#include <vector>

// What the about program lets the user change: sound on or off, the engine type and the
// ship skin. Values come from and go to the settings file ("Sound", "Engine", "Skin").
class VAboutSettings {
public:
    // The engine types the ship's engine sprite has sequences for.
    static constexpr int kEngineTypes = 3;

    // `dataDir` is where Skins/ lies.
    explicit VAboutSettings(std::string dataDir);

    void Load();
    // Writes all three values.
    void Save() const;

    void ToggleSound() { sound_ = !sound_; }
    // 1, 2, 3, then 1 again; an unknown value starts over at 1.
    void NextEngine();
    // The built-in skin (empty name), then every skin file by name, then the built-in again.
    void NextSkin();

    bool IsSoundOn() const { return sound_; }
    const std::string& GetEngine() const { return engine_; }
    const std::string& GetSkin() const { return skin_; }
    // Skin names (file names without ".bmp"), sorted; the built-in skin is not listed.
    const std::vector<std::string>& GetSkins() const { return skins_; }

private:
    std::string dataDir_;
    bool sound_ = true;
    std::string engine_ = "1";
    std::string skin_;
    std::vector<std::string> skins_;
};
