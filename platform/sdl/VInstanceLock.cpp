#include "platform/sdl/VInstanceLock.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A display name as part of a file name: a slash would name a folder.
std::string FileNamePart(const std::string& text)
{
    std::string part;
    for (const char c : text)
        part += (std::isalnum(static_cast<unsigned char>(c)) || c == ':' || c == '.' || c == '-' ||
                 c == '_')
                    ? c
                    : '_';
    return part;
}

}  // namespace

VInstanceLock::VInstanceLock(std::string directory, std::string name, const std::string& display)
    : path_(std::move(directory) + "/zibolt-" + std::move(name) +
            (display.empty() ? "" : "-" + FileNamePart(display)) + ".lock")
{
}

VInstanceLock::~VInstanceLock() { Release(); }

bool VInstanceLock::Acquire()
{
    if (fd_ >= 0)
        return true;
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;  // no place for a lock: better two instances than none
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0)
        (void)!::pwrite(fd_, pid.data(), pid.size(), 0);
    return true;
}

void VInstanceLock::Release()
{
    if (fd_ < 0)
        return;
    (void)!::ftruncate(fd_, 0);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

pid_t VInstanceLock::Holder() const
{
    if (fd_ >= 0)
        return ::getpid();
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    pid_t holder = 0;
    // Only a held lock counts: a file left behind by a crash is free.
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        char text[32] = {};
        const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
        if (n > 0) {
            const long value = std::strtol(text, nullptr, 10);
            holder = value > 0 ? static_cast<pid_t>(value) : 0;
        }
    } else {
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return holder;
}

std::string VInstanceLock::DefaultDirectory()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return runtime;
    const std::string dir = "/tmp/zibolt-" + std::to_string(::getuid());
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return "/tmp";
    return dir;
}

std::string VInstanceLock::DisplayKey(const char* x11Display, const char* waylandDisplay)
{
    if (!x11Display || !*x11Display)
        return waylandDisplay && *waylandDisplay ? std::string("wayland:") + waylandDisplay : "";
    std::string display = x11Display;
    const auto colon = display.rfind(':');
    if (colon == std::string::npos)
        return display;
    // ":44.1" is screen 1 of display :44; "unix:44" is the local display :44 as well.
    if (const auto dot = display.find('.', colon); dot != std::string::npos)
        display.erase(dot);
    if (display.compare(0, colon, "unix") == 0)
        display.erase(0, colon);
    return display;
}
