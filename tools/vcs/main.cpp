// vcs: lists component streams as JSON and builds them from JSON, for people who write scenes.
#include <iostream>
#include <vector>

#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsPixieForms.h"

namespace {

// One line per subcommand; each lives in a file of its own.
std::vector<VcsCommand> Commands()
{
    return {
        TokensCommand(),
        BuildCommand(),
        ShowCommand(),
        RenderCommand(),
    };
}

void PrintUsage(std::ostream& out, const std::vector<VcsCommand>& commands)
{
    out << "usage: vcs COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const auto& command : commands)
        out << "  vcs " << command.name << " " << command.arguments << "\n      " << command.summary << "\n";
    out << "\n'vcs COMMAND --help' describes one command; tools/vcs/README.md describes the JSON.\n";
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    RegisterPixieValueForms();
    const std::vector<VcsCommand> commands = Commands();
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(std::cout, commands);
        return kVcsOk;
    }
    try {
        for (const auto& command : commands) {
            if (command.name == args[0])
                return command.run(std::vector<std::string>(args.begin() + 1, args.end()), std::cout, std::cerr);
        }
    } catch (const std::exception& e) {
        std::cerr << "vcs: " << OneLine(e.what()) << "\n";
        return kVcsFailed;
    }
    std::cerr << "vcs: unknown command " << Quoted(args[0]) << "\n";
    PrintUsage(std::cerr, commands);
    return kVcsUsage;
}
