#pragma once

#include <string>

#include "show/VControlSettings.h"

// The settings through the platform's profile functions on "control.ini" (in the Windows
// folder), section "Zibolt".
class VProfileControlStore : public VControlStore {
public:
    std::string Read(const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& key, const std::string& value) override;
    std::string GetProblem() const override { return problem_; }

    static constexpr const char* kFile = "control.ini";
    static constexpr const char* kSection = "Zibolt";

private:
    std::string problem_;
};

// Installs the profile store as the settings of this program.
void InstallProfileControlStore();
