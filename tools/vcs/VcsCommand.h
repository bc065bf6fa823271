#pragma once

#include <exception>
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

// What every command checks first: "--help", arguments that did not parse, exactly one input
// (`oneInput` names it in the problem) and, when outputProblem is given, that "-o" is there.
// Returns the exit code to end with, or nothing when the command goes on.
std::optional<int> CheckArguments(const VcsCommand& self, const VcsArguments& parsed, std::ostream& out,
                                  std::ostream& err, const char* oneInput, const char* outputProblem = nullptr);

// Runs work on file and turns whatever it throws into the one line on stderr that authors and
// build steps see; returns the exit code.
int RunOnFile(const std::string& file, std::ostream& err, const std::function<void()>& work);

// nlohmann's messages begin with a bracketed id that tells an author nothing.
std::string JsonMessage(const std::exception& e);

using VcsRunFunction = int (*)(const VcsCommand& self, const std::vector<std::string>& args, std::ostream& out,
                               std::ostream& err);
VcsCommand MakeCommand(const char* name, const char* arguments, const char* summary, VcsRunFunction run);
