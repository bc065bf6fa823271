#include "engine/stream/VReportLog.h"

#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::unique_ptr<VReportLog>& SharedLog()
{
    static std::unique_ptr<VReportLog> log;
    return log;
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Adds the lines of one file to the end of `lines`, keeping only the last `count`.
void ReadLastLines(const fs::path& path, std::size_t count, std::deque<std::string>& lines)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (lines.size() > count)
            lines.pop_front();
    }
}

std::string TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace

VReportLog::VReportLog(std::string path, std::uintmax_t limitBytes)
    : path_(std::move(path)), limit_(limitBytes)
{
}

bool VReportLog::Append(const std::string& message)
{
    if (path_.empty())
        return false;
    std::string line = TimeStamp() + "  " + message;
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    line += '\n';

    const fs::path file(path_);
    std::error_code error;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), error);
    const std::uintmax_t size = fs::file_size(file, error);
    if (!error && size > 0 && size + line.size() > limit_) {
        const fs::path older(path_ + ".1");
        fs::remove(older, error);  // rename does not replace a file on every platform
        fs::rename(file, older, error);
    }
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << line;
    out.flush();
    return static_cast<bool>(out);
}

std::vector<std::string> VReportLog::Tail(std::size_t count) const
{
    std::deque<std::string> lines;
    if (path_.empty() || count == 0)
        return {};
    std::deque<std::string> current;
    ReadLastLines(path_, count, current);
    if (current.size() < count)
        ReadLastLines(path_ + ".1", count - current.size(), lines);
    lines.insert(lines.end(), current.begin(), current.end());
    return {lines.begin(), lines.end()};
}

std::string VReportLog::DefaultPath()
{
#ifdef _WIN32
    const std::string base = Env("LOCALAPPDATA");
    return base.empty() ? "" : base + "\\Zibolt\\zibolt.log";
#else
    std::string state = Env("XDG_STATE_HOME");
    if (state.empty() || state.front() != '/') {
        const std::string home = Env("HOME");
        if (home.empty())
            return "";
        state = home + "/.local/state";
    }
    return state + "/zibolt/zibolt.log";
#endif
}

VReportLog& VReportLog::Shared()
{
    auto& log = SharedLog();
    if (!log)
        log = std::make_unique<VReportLog>(DefaultPath());
    return *log;
}

void VReportLog::SetSharedPath(std::string path)
{
    SharedLog() = std::make_unique<VReportLog>(std::move(path));
}
