#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Problems met where no one may be watching (an unattended saver, a settings write that
// failed) go to a small log file, so that they are neither lost nor block the show.
// The file stays bounded: past the limit it becomes "<path>.1" (replacing an older one) and
// a new file starts.
class VReportLog {
public:
    static constexpr std::uintmax_t kDefaultLimit = 1024 * 1024;

    explicit VReportLog(std::string path, std::uintmax_t limitBytes = kDefaultLimit);

    // Appends one time-stamped line (line breaks in the message become spaces) and makes the
    // folder on first use. False when the log is off (no path) or cannot be written.
    bool Append(const std::string& message);

    // The last `count` lines, oldest first, reaching into the rotated file when needed.
    std::vector<std::string> Tail(std::size_t count) const;

    const std::string& GetPath() const { return path_; }

    // $XDG_STATE_HOME/zibolt/zibolt.log or ~/.local/state/zibolt/zibolt.log; on Windows
    // %LOCALAPPDATA%\Zibolt\zibolt.log. Empty when the environment names no such place.
    static std::string DefaultPath();

    // The program's own log, at DefaultPath() unless SetSharedPath chose another place.
    static VReportLog& Shared();
    static void SetSharedPath(std::string path);

private:
    std::string path_;
    std::uintmax_t limit_;
};
