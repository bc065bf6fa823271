#pragma once

// Scene manager: list scene files with ListSceneFiles(dir) (or test one name with
// IsSceneFileName), and build file paths with DataPath(dir, {"Sounds", "zibo3"}) rather than
// gluing "\" by hand. The data directory itself is ReadDataDir(stage.GetProgramDirectory()).

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Where the scene files, Skins/ and Sounds/ are when the settings name no "Dir":
//  1. $ZIBOLT_DATA_DIR, when set;
//  2. <program directory>/../share/zibolt, when it exists (an installed tree, wherever it
//     was moved to);
//  3. <program directory>/data, when it exists (everything unpacked into one folder);
//  4. the build tree's data folder, when the program runs from the build tree;
//  5. a build without an install folder (Windows, where the saver is unpacked with its data)
//     uses the program directory itself, unless it holds no scene files and an installer
//     recorded a folder (SetInstallerDataDir) that exists; otherwise the first "zibolt"
//     folder that exists in $XDG_DATA_DIRS (by default /usr/local/share, then /usr/share),
//     so that a program copied alone finds an installed tree's data;
//  6. the data folder of the configured install prefix.
std::string DefaultDataDir(const std::string& programDirectory);

// The folder an installer put the data in (Windows: from the registry); empty for none.
void SetInstallerDataDir(std::string dir);

// "Dir" from the settings, else DefaultDataDir. A "Dir" that is no folder (moved, renamed,
// deleted) falls back on DefaultDataDir too, and says so once in the report log.
std::string ReadDataDir(const std::string& programDirectory);

// dir, then each part, joined with the platform's separator. Parts may themselves hold '\' or
// '/' (a setting written on another system); both count as separators.
std::string DataPath(const std::string& dir, std::initializer_list<std::string_view> parts);

// True for names ending in ".vcs" in any letter case ("Planet.VCS", "x.vcs").
bool IsSceneFileName(std::string_view fileName);

// The names (not paths) of the regular files in `dir` that are scene files, sorted by name so
// that every run sees them in the same order. A missing or unreadable folder gives none.
std::vector<std::string> ListSceneFiles(const std::string& dir);

// The about program: "zibolt-about" (on Windows "ZiboltAbout.exe") in the program directory.
std::string AboutProgramPath(const std::string& programDirectory);
