#include "engine/stage/VSoundFile.h"

#include <filesystem>
#include <system_error>

#include "engine/stream/VText.h"

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

// `path` as it is spelt on disk, each missing part replaced by the first entry of its folder
// (in the folder's own order) that equals it ignoring case; empty when a part has no match.
fs::path FindIgnoringCase(const fs::path& path)
{
    if (Exists(path))
        return path;
    fs::path found = path.root_path();
    for (const fs::path& part : path.relative_path()) {
        fs::path next = found / part;
        if (!Exists(next)) {
            next.clear();
            std::error_code error;
            fs::directory_iterator it(found.empty() ? fs::path(".") : found, error);
            for (; !error && it != fs::directory_iterator(); it.increment(error)) {
                if (SameText(it->path().filename().string(), part.string())) {
                    next = found / it->path().filename();
                    break;
                }
            }
            if (next.empty())
                return {};
        }
        found = std::move(next);
    }
    return found;
}

bool IsFile(const fs::path& path)
{
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

}  // namespace

std::string FindSoundFile(const std::string& name)
{
    if (name.empty())
        return {};
    const fs::path path(name);
    if (!path.has_filename())
        return {};
    if (!path.has_extension()) {
        fs::path wave = FindIgnoringCase(fs::path(name + ".wav"));
        if (IsFile(wave))
            return wave.string();
    }
    fs::path plain = FindIgnoringCase(path);
    return IsFile(plain) ? plain.string() : std::string();
}
