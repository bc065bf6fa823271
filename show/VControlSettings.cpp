#include "show/VControlSettings.h"

#include <cstdlib>

#include "show/VIniControlStore.h"

namespace {

std::unique_ptr<VControlStore>& Store()
{
    static std::unique_ptr<VControlStore> store;
    return store;
}

VControlStore& ActiveStore()
{
    std::unique_ptr<VControlStore>& store = Store();
    if (!store)
        store = std::make_unique<VIniControlStore>(DefaultControlFile(), "Zibolt");
    return *store;
}

const char* NonEmptyEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

std::string ReadControlValue(const std::string& key, const std::string& defaultValue)
{
    return ActiveStore().Read(key, defaultValue);
}

void WriteControlValue(const std::string& key, const std::string& value)
{
    ActiveStore().Write(key, value);
}

std::unique_ptr<VControlStore> SetControlStore(std::unique_ptr<VControlStore> store)
{
    std::unique_ptr<VControlStore> previous = std::move(Store());
    Store() = std::move(store);
    return previous;
}

std::filesystem::path DefaultControlFile()
{
    std::filesystem::path folder;
    if (const char* dir = NonEmptyEnv("ZIBOLT_CONFIG_DIR"))
        folder = dir;
    else if (const char* xdg = NonEmptyEnv("XDG_CONFIG_HOME"))
        folder = std::filesystem::path(xdg) / "zibolt";
    else if (const char* home = NonEmptyEnv("HOME"))
        folder = std::filesystem::path(home) / ".config" / "zibolt";
    else if (const char* profile = NonEmptyEnv("USERPROFILE"))
        folder = std::filesystem::path(profile) / ".config" / "zibolt";
    else
        folder = ".";  // no home at all: the working directory rather than nowhere
    return folder / "control.ini";
}
