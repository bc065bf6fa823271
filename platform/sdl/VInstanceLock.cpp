#include "platform/sdl/VInstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

VInstanceLock::VInstanceLock(std::string directory, std::string name)
    : path_(std::move(directory) + "/zibolt-" + std::move(name) + ".lock")
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
