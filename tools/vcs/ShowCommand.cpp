// vcs show FILE [-o OUT.json]: what the engine builds from a stream, as JSON.
#include "engine/pixies/VDirector.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsDirectorCheck.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsStageView.h"

namespace {

int RunShow(const VcsCommand& self, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    VcsArguments parsed = ParseArguments(args);
    if (auto done = CheckArguments(self, parsed, out, err, "stream file"))
        return *done;
    const std::string& file = parsed.files[0];
    return RunOnFile(file, err, [&] {
        std::unique_ptr<VHeadlessStage> stage = LoadStreamOnStage(file);
        std::vector<VDirector*> directors;
        for (VComponent* component : stage->GetChildren())
            if (auto* director = dynamic_cast<VDirector*>(component))
                directors.push_back(director);
        std::string fault = DirectorFault(directors);
        if (!fault.empty())
            throw VcsEngineError(fault);
        std::string listing = DescribeStage(*stage).dump(2) + "\n";
        if (parsed.output)
            WriteFileAtomically(*parsed.output, listing);
        else
            out << listing << std::flush;
    });
}

}  // namespace

VcsCommand ShowCommand()
{
    return MakeCommand("show", "FILE [-o OUT.json]",
                       "loads the stream on a stage as the show would and prints the components it built, as JSON",
                       RunShow);
}
