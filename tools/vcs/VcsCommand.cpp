#include "tools/vcs/VcsCommand.h"

#include <algorithm>
#include <string_view>

#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsJson.h"

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

std::optional<int> CheckArguments(const VcsCommand& self, const VcsArguments& parsed, std::ostream& out,
                                  std::ostream& err, const char* oneInput, const char* outputProblem)
{
    if (parsed.help) {
        PrintCommandUsage(out, self);
        return kVcsOk;
    }
    if (!parsed.problem.empty())
        return UsageProblem(err, self, parsed.problem);
    if (parsed.files.size() != 1)
        return UsageProblem(err, self, std::string("give exactly one ") + oneInput);
    if (outputProblem && !parsed.output)
        return UsageProblem(err, self, outputProblem);
    return std::nullopt;
}

std::string JsonMessage(const std::exception& e)
{
    std::string text = e.what();
    std::size_t close = text.find("] ");
    return close == std::string::npos ? text : text.substr(close + 2);
}

int RunOnFile(const std::string& file, std::ostream& err, const std::function<void()>& work)
{
    try {
        work();
        return kVcsOk;
    } catch (const VcsStreamError& e) {
        err << "vcs: " << OneLine(file) << ": byte " << e.Offset() << ": " << OneLine(e.what()) << "\n";
    } catch (const VcsFileError& e) {
        // The message already names the file.
        err << "vcs: " << OneLine(e.what()) << "\n";
    } catch (const VcsJson::exception& e) {
        err << "vcs: " << OneLine(file) << ": " << OneLine(JsonMessage(e)) << "\n";
    } catch (const std::exception& e) {
        err << "vcs: " << OneLine(file) << ": " << OneLine(e.what()) << "\n";
    }
    return kVcsFailed;
}

VcsCommand MakeCommand(const char* name, const char* arguments, const char* summary, VcsRunFunction run)
{
    VcsCommand command{name, arguments, summary, {}};
    command.run = [command, run](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
        return run(command, args, out, err);
    };
    return command;
}
