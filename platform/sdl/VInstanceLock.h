#pragma once

#include <string>
#include <sys/types.h>

// A per-user lock that says one kind of instance (run, preview) is alive on one display. The
// holder keeps an flock on the file and its process id in it, so others can find it; the lock
// dies with the process, however it ends.
class VInstanceLock {
public:
    // `directory` holds the lock files (see DefaultDirectory); `name` tells the kinds apart and
    // `display` (see DisplayKey) the displays, each of which has a saver of its own.
    VInstanceLock(std::string directory, std::string name, const std::string& display = "");
    ~VInstanceLock();
    VInstanceLock(const VInstanceLock&) = delete;
    VInstanceLock& operator=(const VInstanceLock&) = delete;

    // Takes the lock and writes this process's id; false when another process holds it.
    bool Acquire();
    bool IsHeld() const { return fd_ >= 0; }
    void Release();
    // The process holding the lock, or 0 when nobody holds it.
    pid_t Holder() const;
    const std::string& GetPath() const { return path_; }

    // $XDG_RUNTIME_DIR, else a directory of this user's own under /tmp.
    static std::string DefaultDirectory();
    // The display that an X display name (":44.0", "unix:44", "host:0") or, without one, a
    // Wayland socket name stands for: the screen number goes, as one saver covers the
    // display's every screen. Empty for no display at all.
    static std::string DisplayKey(const char* x11Display, const char* waylandDisplay);

private:
    std::string path_;
    int fd_ = -1;
};
