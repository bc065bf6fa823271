#include "saver/VAboutLauncher.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// One shell word, whatever the path holds.
std::string Quoted(const std::string& path)
{
#ifdef _WIN32
    return "\"" + path + "\"";
#else
    std::string out = "'";
    for (char c : path)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
#endif
}

void ShellLaunch(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
#ifdef _WIN32
    std::string command = "start \"\" " + Quoted(path);
#else
    std::string command = Quoted(path) + " >/dev/null 2>&1 &";
#endif
    [[maybe_unused]] int result = std::system(command.c_str());
}

VProgramLauncher& Launcher()
{
    static VProgramLauncher launcher;
    return launcher;
}

}  // namespace

VProgramLauncher SetProgramLauncher(VProgramLauncher launcher)
{
    VProgramLauncher previous = std::move(Launcher());
    Launcher() = std::move(launcher);
    return previous;
}

void LaunchProgram(const std::string& path)
{
    if (Launcher())
        Launcher()(path);
    else
        ShellLaunch(path);
}
