// vcs build FILE.json -o OUT: the component stream that a JSON source describes.
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"
#include "tools/vcs/VcsJsonReader.h"
#include "tools/vcs/VcsParser.h"

namespace {

constexpr std::uintmax_t kMaxSourceBytes = INT32_MAX;

// nlohmann's messages begin with a bracketed id that tells an author nothing.
std::string JsonMessage(const std::exception& e)
{
    std::string text = e.what();
    std::size_t close = text.find("] ");
    return close == std::string::npos ? text : text.substr(close + 2);
}

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
    std::string bytes = StreamBytes(StreamFromJson(root, context));
    // What the build writes must read back; a fault here is the tool's own.
    try {
        ParseStream(bytes);
    } catch (const VcsStreamError& e) {
        throw VcsBuildError("", "the built stream does not read back at byte " + std::to_string(e.Offset()) +
                                    ": " + e.what());
    }
    return bytes;
}

int RunBuild(const VcsCommand& self, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    VcsArguments parsed = ParseArguments(args, {"--palette"});
    if (parsed.help) {
        PrintCommandUsage(out, self);
        return kVcsOk;
    }
    if (!parsed.problem.empty())
        return UsageProblem(err, self, parsed.problem);
    if (parsed.files.size() != 1)
        return UsageProblem(err, self, "give exactly one JSON source");
    if (!parsed.output)
        return UsageProblem(err, self, "give the output file with -o OUT");
    const std::string& file = parsed.files[0];
    try {
        std::string palette = parsed.options.count("--palette") ? parsed.options.at("--palette") : "";
        WriteFileAtomically(*parsed.output, Build(file, palette));
        return kVcsOk;
    } catch (const VcsBuildError& e) {
        err << "vcs: " << OneLine(file) << ": " << OneLine(e.what()) << "\n";
    } catch (const VcsFileError& e) {
        err << "vcs: " << OneLine(e.what()) << "\n";
    } catch (const VcsJson::exception& e) {
        err << "vcs: " << OneLine(file) << ": " << OneLine(JsonMessage(e)) << "\n";
    } catch (const std::exception& e) {
        err << "vcs: " << OneLine(file) << ": " << OneLine(e.what()) << "\n";
    }
    return kVcsFailed;
}

}  // namespace

VcsCommand BuildCommand()
{
    VcsCommand command{"build", "FILE.json [--palette MASTER.txt] -o OUT",
                       "writes the component stream that the JSON source describes (see tools/vcs/README.md)",
                       {}};
    command.run = [command](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
        return RunBuild(command, args, out, err);
    };
    return command;
}
