#pragma once

#include <filesystem>
#include <memory>
#include <string>

// The show's settings: section "Zibolt" of the profile file "control.ini". Values are text;
// a missing key gives the caller's default.
std::string ReadControlValue(const std::string& key, const std::string& defaultValue);
// Stores a value. When the store could not keep it, the reason goes to the report log and
// comes back; empty when the value was stored. Nothing is thrown: the show goes on either way.
std::string WriteControlValue(const std::string& key, const std::string& value);
// Why the last read or write could not use the stored settings; empty when it could.
std::string ControlStoreProblem();

// Where the values live. The Windows build fills this with the profile functions; everywhere
// else an INI file under the user's configuration folder serves.
class VControlStore {
public:
    virtual ~VControlStore() = default;
    virtual std::string Read(const std::string& key, const std::string& defaultValue) = 0;
    virtual void Write(const std::string& key, const std::string& value) = 0;
    // Why the last Read or Write could not use what is stored (a settings file that cannot be
    // read back, a write that did not land); empty when it could. A store that cannot fail
    // keeps this default.
    virtual std::string GetProblem() const { return {}; }
};

// Replaces the store used by ReadControlValue/WriteControlValue; null restores the default
// INI store. Returns the previous one.
std::unique_ptr<VControlStore> SetControlStore(std::unique_ptr<VControlStore> store);

// The default INI store's file: $XDG_CONFIG_HOME/zibolt/control.ini, else
// ~/.config/zibolt/control.ini; $ZIBOLT_CONFIG_DIR, when set, replaces the folder (tests).
std::filesystem::path DefaultControlFile();
