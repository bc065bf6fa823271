#include "platform/win32/VSaverOptions.h"

#include <cctype>
#include <cstdlib>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::string VSaverOptions::ArgumentsOf(const std::string& commandLine)
{
    size_t i = 0;
    while (i < commandLine.size() && IsBlank(commandLine[i]))
        ++i;
    // The path runs to its closing quote, or unquoted to the first blank.
    if (i < commandLine.size() && commandLine[i] == '"') {
        size_t close = commandLine.find('"', i + 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !IsBlank(commandLine[i]))
            ++i;
    }
    return Trimmed(commandLine.substr(i));
}

VSaverOptions::VSaverOptions(const std::string& commandLine) : arguments_(ArgumentsOf(commandLine))
{
    for (char& c : arguments_)
        c = char(std::tolower(static_cast<unsigned char>(c)));
}

std::intptr_t VSaverOptions::GetWindowAfter(const std::string& option) const
{
    size_t at = arguments_.find(option);
    if (at == std::string::npos)
        return 0;
    // Handles are decimal numbers; atoll keeps the upper half of a 64-bit handle value.
    std::string rest = Trimmed(arguments_.substr(at + option.size()));
    // Some hosts write the handle as "/p:1234", as the settings dialog does for "/c:1234".
    if (!rest.empty() && rest[0] == ':')
        rest = Trimmed(rest.substr(1));
    return std::intptr_t(std::atoll(rest.c_str()));
}
