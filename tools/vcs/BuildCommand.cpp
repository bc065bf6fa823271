// vcs build FILE.json -o OUT: the component stream that a JSON source describes.
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsDirectorCheck.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsJsonReader.h"
#include "tools/vcs/VcsParser.h"

namespace {

constexpr std::uintmax_t kMaxSourceBytes = INT32_MAX;

std::string Build(const std::string& file, const std::string& palette)
{
    std::string text = ReadFileBytes(file, kMaxSourceBytes);
    VcsJson root;
    try {
        root = VcsJson::parse(text, nullptr, true, true);
    } catch (const VcsJson::parse_error& e) {
        throw VcsBuildError("", "not valid JSON: " + JsonMessage(e));
    }
    VcsBuildContext context;
    context.baseDir = std::filesystem::path(file).parent_path();
    context.palettePath = palette;
    VcsStream stream = StreamFromJson(root, context);
    std::string bytes = StreamBytes(stream);
    // What the build writes must read back; a fault here is the tool's own.
    try {
        ParseStream(bytes);
    } catch (const VcsStreamError& e) {
        throw VcsBuildError("", "the built stream does not read back at byte " + std::to_string(e.Offset()) +
                                    ": " + e.what());
    }
    std::string fault = StreamDirectorFault(stream);
    if (!fault.empty())
        throw VcsBuildError("", fault);
    return bytes;
}

int RunBuild(const VcsCommand& self, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    VcsArguments parsed = ParseArguments(args, {"--palette"});
    if (auto done = CheckArguments(self, parsed, out, err, "JSON source", "give the output file with -o OUT"))
        return *done;
    const std::string& file = parsed.files[0];
    return RunOnFile(file, err, [&] {
        std::string palette = parsed.options.count("--palette") ? parsed.options.at("--palette") : "";
        WriteFileAtomically(*parsed.output, Build(file, palette));
    });
}

}  // namespace

VcsCommand BuildCommand()
{
    return MakeCommand("build", "FILE.json [--palette MASTER.txt] -o OUT",
                       "writes the component stream that the JSON source describes (see tools/vcs/README.md)",
                       RunBuild);
}
