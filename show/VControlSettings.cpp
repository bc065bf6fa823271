#include "show/VControlSettings.h"

#include <cstdlib>
#include <set>

#include "engine/stream/VReportLog.h"

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

// The show reads and writes settings on every scene; a broken file is worth one line, not
// one per access.
void ReportOnce(const std::string& line)
{
    static std::set<std::string> reported;
    if (reported.insert(line).second)
        VReportLog::Shared().Append(line);
}

}  // namespace

std::string ReadControlValue(const std::string& key, const std::string& defaultValue)
{
    VControlStore& store = ActiveStore();
    std::string value = store.Read(key, defaultValue);
    if (std::string problem = store.GetProblem(); !problem.empty())
        ReportOnce("Settings not read, defaults used: " + problem);
    return value;
}

std::string WriteControlValue(const std::string& key, const std::string& value)
{
    VControlStore& store = ActiveStore();
    store.Write(key, value);
    std::string problem = store.GetProblem();
    if (!problem.empty())
        ReportOnce("Settings not saved: " + problem);
    return problem;
}

std::string ControlStoreProblem()
{
    return ActiveStore().GetProblem();
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
