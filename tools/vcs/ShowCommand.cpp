// vcs show FILE [-o OUT.json]: what the engine builds from a stream, as JSON.
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsStageView.h"

namespace {

int RunShow(const VcsCommand& self, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    VcsArguments parsed = ParseArguments(args);
    if (parsed.help) {
        PrintCommandUsage(out, self);
        return kVcsOk;
    }
    if (!parsed.problem.empty())
        return UsageProblem(err, self, parsed.problem);
    if (parsed.files.size() != 1)
        return UsageProblem(err, self, "give exactly one stream file");
    const std::string& file = parsed.files[0];
    try {
        std::unique_ptr<VHeadlessStage> stage = LoadStreamOnStage(file);
        std::string listing = DescribeStage(*stage).dump(2) + "\n";
        if (parsed.output)
            WriteFileAtomically(*parsed.output, listing);
        else
            out << listing << std::flush;
        return kVcsOk;
    } catch (const VcsFileError& e) {
        err << "vcs: " << OneLine(e.what()) << "\n";
    } catch (const std::exception& e) {
        err << "vcs: " << OneLine(file) << ": " << OneLine(e.what()) << "\n";
    }
    return kVcsFailed;
}

}  // namespace

VcsCommand ShowCommand()
{
    VcsCommand command{"show", "FILE [-o OUT.json]",
                       "loads the stream on a stage as the show would and prints the components it built, as JSON",
                       {}};
    command.run = [command](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
        return RunShow(command, args, out, err);
    };
    return command;
}
