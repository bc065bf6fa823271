#pragma once

#include <cstdint>
#include <string>

// The screen-saver mode as the display settings ask for it on the command line. Options are
// looked for, in any letter case, only in the arguments after the program's own path: the
// path itself may hold "/c" or "/p" (forward slashes), and with no arguments at all the
// settings dialog is asking for the configuration.
class VSaverOptions {
public:
    // `commandLine` is the whole line, the program's path (quoted or not) first.
    explicit VSaverOptions(const std::string& commandLine);

    // The arguments after the program's path, in lower case.
    const std::string& GetArguments() const { return arguments_; }
    bool IsPasswordChange() const { return Has("/a"); }
    bool IsConfigure() const { return arguments_.empty() || Has("/c"); }
    bool IsPreview() const { return Has("/p"); }
    bool IsDebug() const { return Has("/d"); }
    // "/m:N": one of the shows of a run with one show per monitor, on monitor N (the primary
    // is 0); -1 when not given.
    int GetMonitor() const { return Has("/m") ? int(GetWindowAfter("/m")) : -1; }
    // The window handle written after the first "/a" or "/p", 0 when there is none.
    std::intptr_t GetWindowAfter(const std::string& option) const;

    // The arguments of `commandLine`, without the program's path and the blanks around them.
    static std::string ArgumentsOf(const std::string& commandLine);

private:
    bool Has(const char* option) const { return arguments_.find(option) != std::string::npos; }

    std::string arguments_;
};
