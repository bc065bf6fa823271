#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// One subcommand of `vcs`: main.cpp keeps a table of these, and each lives in its own file.
struct VcsCommand {
    std::string name;
    std::string arguments;  // as the usage shows them: "FILE [-o OUT.json]"
    std::string summary;
    // Gets the arguments after the command's name; returns the exit code.
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)> run;
};

enum VcsExitCode { kVcsOk = 0, kVcsFailed = 1, kVcsUsage = 2 };

VcsCommand TokensCommand();
VcsCommand BuildCommand();
VcsCommand ShowCommand();
VcsCommand RenderCommand();

// Files, the "-o OUT" option and the command's own options with a value ("--at 500"), in any
// order; "--help" asks for the command's usage.
struct VcsArguments {
    std::vector<std::string> files;
    std::optional<std::string> output;
    std::map<std::string, std::string> options;
    bool help = false;
    std::string problem;  // empty when the arguments parsed
};
VcsArguments ParseArguments(const std::vector<std::string>& args,
                            std::initializer_list<const char*> valueOptions = {});

// "usage: vcs NAME ARGUMENTS" and the summary.
void PrintCommandUsage(std::ostream& out, const VcsCommand& command);
// Reports a usage problem on err and returns kVcsUsage.
int UsageProblem(std::ostream& err, const VcsCommand& command, const std::string& problem);
