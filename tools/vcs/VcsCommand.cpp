#include "tools/vcs/VcsCommand.h"

#include <algorithm>
#include <string_view>

VcsArguments ParseArguments(const std::vector<std::string>& args, std::initializer_list<const char*> valueOptions)
{
    VcsArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "-o") {
            if (i + 1 >= args.size())
                parsed.problem = "-o needs a file name";
            else if (parsed.output)
                parsed.problem = "-o is given twice";
            else
                parsed.output = args[++i];
        } else if (std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end()) {
            if (i + 1 >= args.size())
                parsed.problem = arg + " needs a value";
            else if (parsed.options.count(arg))
                parsed.problem = arg + " is given twice";
            else
                parsed.options[arg] = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.problem = "unknown option " + arg;
        } else {
            parsed.files.push_back(arg);
        }
        if (!parsed.problem.empty())
            break;
    }
    return parsed;
}

void PrintCommandUsage(std::ostream& out, const VcsCommand& command)
{
    out << "usage: vcs " << command.name << " " << command.arguments << "\n  " << command.summary << "\n";
}

int UsageProblem(std::ostream& err, const VcsCommand& command, const std::string& problem)
{
    err << "vcs " << command.name << ": " << problem << "\n";
    PrintCommandUsage(err, command);
    return kVcsUsage;
}
