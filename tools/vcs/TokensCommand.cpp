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
    if (auto done = CheckArguments(self, parsed, out, err, "stream file"))
        return *done;
    const std::string& file = parsed.files[0];
    return RunOnFile(file, err, [&] {
        std::string listing = StreamToJson(ParseStream(ReadFileBytes(file, kMaxStreamBytes)));
        if (parsed.output)
            WriteFileAtomically(*parsed.output, listing);
        else
            out << listing << std::flush;
    });
}

}  // namespace

VcsCommand TokensCommand()
{
    return MakeCommand("tokens", "FILE [-o OUT.json]",
                       "prints the stream's header lines and records, each value's bytes kept exactly, as JSON",
                       RunTokens);
}
