#pragma once

#include <filesystem>
#include <memory>
#include <string>

// The show's settings: section "Zibolt" of the profile file "control.ini". Values are text;
// a missing key gives the caller's default.
std::string ReadControlValue(const std::string& key, const std::string& defaultValue);
void WriteControlValue(const std::string& key, const std::string& value);

// Where the values live. The Windows build fills this with the profile functions; everywhere
// else an INI file under the user's configuration folder serves.
class VControlStore {
public:
    virtual ~VControlStore() = default;
    virtual std::string Read(const std::string& key, const std::string& defaultValue) = 0;
    virtual void Write(const std::string& key, const std::string& value) = 0;
};

// Replaces the store used by ReadControlValue/WriteControlValue; null restores the default
// INI store. Returns the previous one.
std::unique_ptr<VControlStore> SetControlStore(std::unique_ptr<VControlStore> store);

// The default INI store's file: $XDG_CONFIG_HOME/zibolt/control.ini, else
// ~/.config/zibolt/control.ini; $ZIBOLT_CONFIG_DIR, when set, replaces the folder (tests).
std::filesystem::path DefaultControlFile();
