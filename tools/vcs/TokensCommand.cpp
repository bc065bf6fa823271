// vcs tokens FILE [-o OUT.json]: a component stream's structure as JSON.
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsJsonWriter.h"
#include "tools/vcs/VcsParser.h"

namespace {

// Larger streams cannot declare their lengths in the reader's 32-bit counts anyway.
constexpr std::uintmax_t kMaxStreamBytes = INT32_MAX;

int RunTokens(const VcsCommand& self, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
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
        std::string listing = StreamToJson(ParseStream(ReadFileBytes(file, kMaxStreamBytes)));
        if (parsed.output)
            WriteFileAtomically(*parsed.output, listing);
        else
            out << listing << std::flush;
        return kVcsOk;
    } catch (const VcsStreamError& e) {
        err << "vcs: " << OneLine(file) << ": byte " << e.Offset() << ": " << OneLine(e.what()) << "\n";
    } catch (const VcsFileError& e) {
        err << "vcs: " << OneLine(e.what()) << "\n";
    } catch (const std::exception& e) {
        err << "vcs: " << OneLine(file) << ": " << OneLine(e.what()) << "\n";
    }
    return kVcsFailed;
}

}  // namespace

VcsCommand TokensCommand()
{
    VcsCommand command{"tokens", "FILE [-o OUT.json]",
                       "prints the stream's header lines and records, each value's bytes kept exactly, as JSON",
                       {}};
    command.run = [command](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
        return RunTokens(command, args, out, err);
    };
    return command;
}
