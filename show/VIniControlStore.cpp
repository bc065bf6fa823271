#include "show/VIniControlStore.h"

#include <atomic>
#include <chrono>
#include <random>

#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "engine/stream/VText.h"

namespace {

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
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

// A key that would not read back as itself is refused.
bool UsableKey(const std::string& key)
{
    return !key.empty() && key == Trim(key) && key.find_first_of("=\r\n") == std::string::npos &&
           key.front() != '[' && key.front() != ';' && key.front() != '#';
}

// Line breaks in a value would start new entries; they become spaces.
std::string CleanValue(std::string value)
{
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    return value;
}

std::string UniqueSuffix()
{
    static std::atomic<unsigned> count{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(std::random_device{}()) + "." + std::to_string(now) + "." +
           std::to_string(count++);
}

}  // namespace

VIniControlStore::VIniControlStore(std::filesystem::path file, std::string section)
    : file_(std::move(file)), section_(std::move(section))
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

VIniControlStore::Load VIniControlStore::LoadText(std::string& text) const
{
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(file_, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return Load::Missing;
    if (error || status.type() != std::filesystem::file_type::regular)
        return Load::Broken;
    std::uintmax_t size = std::filesystem::file_size(file_, error);
    if (error || size > kMaxFileSize)
        return Load::Broken;
    std::ifstream in(file_, std::ios::binary);
    if (!in)
        return Load::Broken;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return Load::Broken;
    text = buffer.str();
    // Settings are text; a NUL means something else was written over the file.
    if (text.find('\0') != std::string::npos)
        return Load::Broken;
    return Load::Loaded;
}

std::string VIniControlStore::Read(const std::string& key, const std::string& defaultValue)
{
    std::string text;
    std::string value;
    if (UsableKey(key) && LoadText(text) == Load::Loaded && FindValue(text, section_, key, value))
        return value;
    return defaultValue;
}

void VIniControlStore::Write(const std::string& key, const std::string& value)
{
    // Like the platform's profile writer, a failed write is not the show's concern.
    TryWrite(key, value);
}

bool VIniControlStore::TryWrite(const std::string& key, const std::string& value)
{
    if (!UsableKey(key))
        return false;
    std::string text;
    Load load = LoadText(text);
    if (load == Load::Broken)
        return false;  // never replace what cannot be read back
    std::string updated = SetValue(text, section_, key, value);

    std::error_code error;
    std::filesystem::path folder = file_.parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    // A name of its own: shows on several monitors write their settings at the same moment,
    // and two writers of one temporary file could install a mix of both.
    std::filesystem::path temporary = file_;
    temporary += ".tmp." + UniqueSuffix();
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(updated.data(), static_cast<std::streamsize>(updated.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, file_, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
