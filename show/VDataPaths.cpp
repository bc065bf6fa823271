#include "show/VDataPaths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/stream/VReportLog.h"
#include "engine/stream/VText.h"
#include "show/VControlSettings.h"

#ifndef ZIBOLT_BUILD_DATA_DIR
#define ZIBOLT_BUILD_DATA_DIR ""
#endif
#ifndef ZIBOLT_INSTALL_DATA_DIR
#define ZIBOLT_INSTALL_DATA_DIR "/usr/local/share/zibolt"
#endif

namespace fs = std::filesystem;

namespace {

bool IsDirectory(const fs::path& path)
{
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

std::string& InstallerDataDir()
{
    static std::string dir;
    return dir;
}

// The build tree's data is for the programs the build made, where they were made: a program
// copied elsewhere must not depend on a folder that may be gone or stale.
bool RunsFromBuildTree(const std::string& programDirectory)
{
    const fs::path buildData(ZIBOLT_BUILD_DATA_DIR);
    if (buildData.empty())
        return false;
    if (programDirectory.empty())
        return true;  // unknown: the build's own tools and tests
    std::error_code error;
    const fs::path tree = fs::weakly_canonical(buildData.parent_path(), error);
    const fs::path program = fs::weakly_canonical(programDirectory, error);
    auto [treeEnd, programAt] = std::mismatch(tree.begin(), tree.end(), program.begin(), program.end());
    return treeEnd == tree.end();
}

// $XDG_DATA_DIRS, else the usual /usr/local/share and /usr/share, each with zibolt/ added.
std::vector<fs::path> SystemDataDirs()
{
    std::string list;
    if (const char* env = std::getenv("XDG_DATA_DIRS"); env && *env)
        list = env;
    else
        list = "/usr/local/share:/usr/share";
    std::vector<fs::path> dirs;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start && list[start] == '/')  // relative entries are invalid there
            dirs.push_back(fs::path(list.substr(start, end - start)) / "zibolt");
        start = end + 1;
    }
    return dirs;
}

}  // namespace

void SetInstallerDataDir(std::string dir)
{
    InstallerDataDir() = std::move(dir);
}

std::string DefaultDataDir(const std::string& programDirectory)
{
    if (const char* env = std::getenv("ZIBOLT_DATA_DIR"); env && *env)
        return env;
    if (!programDirectory.empty()) {
        fs::path program(programDirectory);
        fs::path installed = program / ".." / "share" / "zibolt";
        if (IsDirectory(installed))
            return installed.lexically_normal().string();
        fs::path beside = program / "data";
        if (IsDirectory(beside))
            return beside.string();
    }
    if (RunsFromBuildTree(programDirectory) && IsDirectory(ZIBOLT_BUILD_DATA_DIR))
        return ZIBOLT_BUILD_DATA_DIR;
    // A build without an install folder keeps its data beside the program.
    if (std::string_view(ZIBOLT_INSTALL_DATA_DIR).empty()) {
        // A saver started from elsewhere than its installed folder still finds its scenes.
        if (ListSceneFiles(programDirectory).empty() && IsDirectory(InstallerDataDir()))
            return InstallerDataDir();
        return programDirectory;
    }
    for (const fs::path& dir : SystemDataDirs())
        if (IsDirectory(dir))
            return dir.string();
    return ZIBOLT_INSTALL_DATA_DIR;
}

std::string ReadDataDir(const std::string& programDirectory)
{
    std::string dir = ReadControlValue("Dir", "");
    if (dir.empty())
        return DefaultDataDir(programDirectory);
    if (IsDirectory(dir))
        return dir;
    std::string fallback = DefaultDataDir(programDirectory);
    // Asked for at every sound: one line per missing folder, not one per sound.
    static std::string reported;
    if (reported != dir) {
        reported = dir;
        VReportLog::Shared().Append("The data folder \"" + dir +
                                    "\" named in the settings (\"Dir\") does not exist; using \"" +
                                    fallback + "\" instead.");
    }
    return fallback;
}

std::string DataPath(const std::string& dir, std::initializer_list<std::string_view> parts)
{
    fs::path path(dir);
    for (std::string_view part : parts) {
        std::size_t start = 0;
        while (start <= part.size()) {
            std::size_t end = part.find_first_of("\\/", start);
            if (end == std::string_view::npos)
                end = part.size();
            if (end > start)
                path /= fs::path(std::string(part.substr(start, end - start)));
            start = end + 1;
        }
    }
    return path.string();
}

bool IsSceneFileName(std::string_view fileName)
{
    constexpr std::string_view extension = ".vcs";
    return fileName.size() > extension.size() &&
           SameText(fileName.substr(fileName.size() - extension.size()), extension);
}

std::vector<std::string> ListSceneFiles(const std::string& dir)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code kindError;
        if (!it->is_regular_file(kindError))
            continue;
        std::string name = it->path().filename().string();
        if (IsSceneFileName(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string AboutProgramPath(const std::string& programDirectory)
{
#ifdef _WIN32
    const char* name = "ZiboltAbout.exe";
#else
    const char* name = "zibolt-about";
#endif
    return DataPath(programDirectory, {name});
}
