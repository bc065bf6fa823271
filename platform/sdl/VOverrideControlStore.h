#pragma once

#include <map>
#include <memory>
#include <string>

#include "show/VControlSettings.h"

// Settings given for one run (on the command line) over those of another store. Reads of
// an overridden key give the override; writes always go to the store below, so a run with
// --no-sound does not change what the settings file says.
class VOverrideControlStore : public VControlStore {
public:
    explicit VOverrideControlStore(std::unique_ptr<VControlStore> below);

    // Key names match without regard to letter case.
    void Override(const std::string& key, const std::string& value);
    bool IsEmpty() const { return overrides_.empty(); }

    std::string Read(const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& key, const std::string& value) override;
    std::string GetProblem() const override;

private:
    static std::string Fold(const std::string& key);

    std::unique_ptr<VControlStore> below_;
    std::map<std::string, std::string> overrides_;
};
