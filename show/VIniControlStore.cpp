#include "show/VIniControlStore.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "engine/stream/VText.h"

namespace fs = std::filesystem;

namespace {

// Blanks, and carriage returns left over from a line ended twice ("\r\r\n").
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

struct Line {
    std::string text;  // without its line ending
};

std::vector<Line> SplitLines(const std::string& text, bool& crlf)
{
    std::vector<Line> lines;
    crlf = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            if (lines.empty())
                crlf = true;
        }
        lines.push_back({std::move(line)});
        start = end + 1;
    }
    return lines;
}

// "[name]" with optional blanks around; false for anything else.
bool SectionName(const std::string& line, std::string& name)
{
    std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[')
        return false;
    std::size_t close = trimmed.find(']');
    if (close == std::string::npos)
        return false;
    name = Trim(std::string_view(trimmed).substr(1, close - 1));
    return true;
}

// "key=value"; comments (';', '#') and lines without '=' are no entries.
bool KeyOf(const std::string& line, std::string& key, std::string* value)
{
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
        return false;
    std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos)
        return false;
    key = Trim(std::string_view(trimmed).substr(0, equals));
    if (value) {
        std::string v = Trim(std::string_view(trimmed).substr(equals + 1));
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
            v = v.substr(1, v.size() - 2);
        *value = std::move(v);
    }
    return !key.empty();
}

// A control byte (a line break among them) in a stored text would start a new entry or make
// the whole file read as binary data, and so cost every other setting.
bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 && c != '\t';
}

// A key that would not read back as itself is refused.
bool UsableKey(const std::string& key)
{
    return !key.empty() && key == Trim(key) && key.find('=') == std::string::npos &&
           std::none_of(key.begin(), key.end(), IsControl) && key.front() != '[' &&
           key.front() != ';' && key.front() != '#';
}

// Control bytes in a value become spaces.
std::string CleanValue(std::string value)
{
    std::replace_if(value.begin(), value.end(), IsControl, ' ');
    return value;
}

std::string UniqueSuffix()
{
    static std::atomic<unsigned> count{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(std::random_device{}()) + "." + std::to_string(now) + "." +
           std::to_string(count++);
}

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// What the C library said about the last failed call (the stream classes keep no reason).
std::string LastError() { return std::strerror(errno); }

// Settings are text: no control bytes but tabs, line and page ends and the old end-of-file
// mark. Anything else means the file is something else, or was written over.
bool LooksBinary(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1a)
            return true;
    return false;
}

std::string SizeText(std::uintmax_t bytes)
{
    if (bytes % (1u << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

// A file marked read-only, or one this user may not write, is the user's to change.
bool IsWritable(const fs::path& file, const fs::file_status& status)
{
    constexpr fs::perms anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & anyWrite) == fs::perms::none)
        return false;
    std::ofstream probe(file, std::ios::binary | std::ios::app);
    return static_cast<bool>(probe);
}

// A linked settings file is updated where it lies, and the link stays.
fs::path ResolveLink(const fs::path& file)
{
    std::error_code error;
    if (fs::is_symlink(file, error)) {
        fs::path target = fs::canonical(file, error);
        if (!error)
            return target;
    }
    return file;
}

}  // namespace

VIniControlStore::VIniControlStore(std::filesystem::path file, std::string section,
                                   std::uintmax_t maxFileSize)
    : file_(std::move(file)), section_(std::move(section)), maxFileSize_(maxFileSize)
{
}

bool VIniControlStore::FindValue(const std::string& text, const std::string& section,
                                 const std::string& key, std::string& value)
{
    bool crlf = false;
    bool inSection = false;
    for (const Line& line : SplitLines(text, crlf)) {
        std::string name;
        if (SectionName(line.text, name)) {
            inSection = SameText(name, section);
            continue;
        }
        std::string entryValue;
        if (inSection && KeyOf(line.text, name, &entryValue) && SameText(name, key)) {
            value = std::move(entryValue);
            return true;
        }
    }
    return false;
}

std::string VIniControlStore::SetValue(const std::string& text, const std::string& section,
                                       const std::string& key, const std::string& value)
{
    bool crlf = false;
    std::vector<Line> lines = SplitLines(text, crlf);
    const std::string entry = key + "=" + CleanValue(value);

    bool inSection = false;
    bool sectionFound = false;
    std::size_t insertAt = 0;  // after the last entry line of the first matching section
    bool done = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        std::string name;
        if (SectionName(lines[i].text, name)) {
            if (sectionFound && inSection)
                break;  // the matching section ended without the key
            inSection = SameText(name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (KeyOf(lines[i].text, name, nullptr) && SameText(name, key)) {
            lines[i].text = name + "=" + CleanValue(value);
            done = true;
        } else if (!Trim(lines[i].text).empty()) {
            insertAt = i + 1;
        }
    }
    if (!done) {
        if (sectionFound) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{entry});
        } else {
            if (!lines.empty() && !Trim(lines.back().text).empty())
                lines.push_back({""});
            lines.push_back({"[" + section + "]"});
            lines.push_back({entry});
        }
    }

    const char* eol = crlf ? "\r\n" : "\n";
    std::string out;
    for (const Line& line : lines) {
        out += line.text;
        out += eol;
    }
    return out;
}

VIniControlStore::Load VIniControlStore::LoadText(const fs::path& file, std::string& text)
{
    std::error_code error;
    fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found)
        return Load::Missing;
    const std::string name = "the settings file " + Quoted(file);
    if (error)
        return Broken(name + " cannot be examined: " + error.message());
    if (status.type() == fs::file_type::directory)
        return Broken(name + " is a folder, not a file");
    if (status.type() != fs::file_type::regular)
        return Broken(name + " is not a regular file");
    std::uintmax_t size = fs::file_size(file, error);
    if (error)
        return Broken(name + " cannot be examined: " + error.message());
    if (size > maxFileSize_)
        return Broken(name + " is larger than " + SizeText(maxFileSize_) +
                      ", too large for settings");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Broken(name + " cannot be opened: " + LastError());
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return Broken(name + " cannot be read: " + LastError());
    text = buffer.str();
    if (LooksBinary(text))
        return Broken(name + " holds binary data, not text settings");
    return Load::Loaded;
}

VIniControlStore::Load VIniControlStore::Broken(std::string problem)
{
    problem_ = std::move(problem);
    return Load::Broken;
}

bool VIniControlStore::Fail(std::string problem)
{
    problem_ = std::move(problem);
    return false;
}

std::string VIniControlStore::Read(const std::string& key, const std::string& defaultValue)
{
    problem_.clear();
    std::string text;
    std::string value;
    if (UsableKey(key) && LoadText(file_, text) == Load::Loaded &&
        FindValue(text, section_, key, value))
        return value;
    return defaultValue;
}

void VIniControlStore::Write(const std::string& key, const std::string& value)
{
    TryWrite(key, value);  // the caller learns of a failure through GetProblem
}

bool VIniControlStore::TryWrite(const std::string& key, const std::string& value)
{
    problem_.clear();
    if (!UsableKey(key))
        return Fail("the key \"" + key + "\" cannot be stored in a settings file");
    const fs::path file = ResolveLink(file_);
    std::string text;
    Load load = LoadText(file, text);
    if (load == Load::Broken)
        return Fail(problem_ + "; it is left as it is");  // never replace what cannot be read back
    std::error_code error;
    fs::perms permissions = fs::perms::unknown;
    if (load == Load::Loaded) {
        fs::file_status status = fs::status(file, error);
        if (!IsWritable(file, status))
            return Fail("the settings file " + Quoted(file) + " is read-only; it is left as it is");
        permissions = status.permissions();
    }
    std::string updated = SetValue(text, section_, key, value);

    const fs::path folder = file.parent_path();
    if (!folder.empty() && !fs::create_directories(folder, error) && error)
        return Fail("cannot make the settings folder " + Quoted(folder) + ": " + error.message());
    // A name of its own: shows on several monitors write their settings at the same moment,
    // and two writers of one temporary file could install a mix of both.
    fs::path temporary = file;
    temporary += ".tmp." + UniqueSuffix();
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return Fail("cannot write in the settings folder " +
                        Quoted(folder.empty() ? fs::path(".") : folder) + ": " + LastError());
        out.write(updated.data(), static_cast<std::streamsize>(updated.size()));
        out.close();  // a full disk may only show here
        if (!out) {
            std::string reason = LastError();
            fs::remove(temporary, error);
            return Fail("cannot write " + Quoted(temporary) + ": " + reason);
        }
    }
    // The new file keeps who may read it (a private file stays private).
    if (permissions != fs::perms::unknown)
        fs::permissions(temporary, permissions, error);
    fs::rename(temporary, file, error);
    if (error) {
        std::string reason = error.message();
        fs::remove(temporary, error);
        return Fail("cannot replace the settings file " + Quoted(file) + ": " + reason);
    }
    return true;
}
