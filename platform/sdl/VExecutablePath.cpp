#include "platform/sdl/VExecutablePath.h"

#include <filesystem>
#include <system_error>

std::string ExecutablePath()
{
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ExecutableDirectory()
{
    return std::filesystem::path(ExecutablePath()).parent_path().string();
}
