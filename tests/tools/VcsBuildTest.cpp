#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/pixies/VPixieListWriter.h"
#include "engine/stream/VStreamWriter.h"
#include "tests/tools/VcsTestSupport.h"
#include "tools/vcs/VcsCommand.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsPixieForms.h"

namespace fs = std::filesystem;

namespace {

std::string Source(const std::string& properties)
{
    return R"({"format": "vcs-tokens-1", "header": [], "records": [{"class": "VSprite", "name": "Zibolt", "properties": [)" +
           properties + "]}]}";
}

std::string Expected(const VPropertyWriter& props)
{
    return VStreamWriter().Record("VSprite", "Zibolt", props).Bytes();
}

TEST(VcsBuild, FriendlyFormsWriteWhatTheEngineWriterWrites)
{
    VPropertyWriter rect;
    rect.Coo("X", 0).Coo("Y", -1.5f);
    VPropertyWriter frame;
    frame.Text("Name", "staand1").Number("Time", 110);
    VPropertyWriter props;
    props.Raw("Bits", std::string("\0\xff", 2))
        .Wrapped("FileName", "$\\x.bmp")
        .Tags("Tag", {"Sterretje=True", "Speed=20-50"})
        .Nested("WindowRect", rect)
        .RecordList("FrameList", {frame, VPropertyWriter()})
        .Coo("XPos", 0.1f)
        .Number("Interval", 250.5)
        .Number("Big", 123456789012.0)
        .Bool("Visible", false)
        .Color("BackColor", 0x00FF00)
        .Color("TransColor", 0x0000FF)
        .Color("Third", 0x123456)
        .Wrapped("Twice", CountedToken("in"));
    std::string json = Source(R"(
        {"name": "Bits", "value": {"base64": "AP8="}},
        {"name": "FileName", "value": {"wrapped": "$\\x.bmp"}},
        {"name": "Tag", "value": {"tags": ["Sterretje=True", "Speed=20-50"]}},
        {"name": "WindowRect", "value": {"nested": [{"name": "X", "value": {"coo": 0}}, {"name": "Y", "value": {"coo": -1.5}}]}},
        {"name": "FrameList", "value": {"records": [[{"name": "Name", "value": "staand1"}, {"name": "Time", "value": {"number": 110}}], []]}},
        {"name": "XPos", "value": {"coo": 0.1}},
        {"name": "Interval", "value": {"number": 250.5}},
        {"name": "Big", "value": {"number": 123456789012}},
        {"name": "Visible", "value": {"bool": false}},
        {"name": "BackColor", "value": {"color": "RGB24:00FF00"}},
        {"name": "TransColor", "value": {"color": "#FF0000"}},
        {"name": "Third", "value": {"color": 1193046}},
        {"name": "Twice", "value": {"wrapped": {"wrapped": "in"}}}
    )");
    EXPECT_EQ(BuildFromText(json), Expected(props));
}

TEST(VcsBuild, FileValuesAreTakenFromTheSourcesFolder)
{
    fs::path dir = fs::path(::testing::TempDir()) / "vcs_file_form";
    fs::create_directories(dir / "images");
    std::string image("BM\0\x01\xff#", 6);
    std::ofstream(dir / "images" / "ship.bmp", std::ios::binary) << image;
    VPropertyWriter props;
    props.Raw("BackGround", image);
    EXPECT_EQ(BuildFromText(Source(R"({"name": "BackGround", "value": {"file": "images/ship.bmp"}})"), dir.string()),
              Expected(props));
}

TEST(VcsBuild, HeaderFormsAndCustomValueForms)
{
    EXPECT_EQ(BuildFromText(R"({"format": "vcs-tokens-1", "header": "Version=0.1b"})"),
              VStreamWriter().HeaderRaw("Version=0.1b").Bytes());
    EXPECT_EQ(BuildFromText(R"({"format": "vcs-tokens-1", "header": {"base64": "AA=="}, "headerLength": "01"})"),
              std::string("VCS01#\0", 7));
    EXPECT_EQ(BuildFromText(R"({"format": "vcs-tokens-1"})"), "VCS0#");

    RegisterValueForm("shout", [](const VcsJson& argument, VcsBuildContext&, const std::string&) {
        return argument.get<std::string>() + "!";
    });
    VPropertyWriter props;
    props.Text("Caption", "Hey!");
    EXPECT_EQ(BuildFromText(Source(R"({"name": "Caption", "value": {"shout": "Hey"}})")), Expected(props));
}

struct Hostile {
    const char* what;
    std::string json;
    std::string message;  // a part of the message, with where it happened
};

std::vector<Hostile> HostileSources()
{
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += R"({"wrapped": )";
    deep += "\"x\"" + std::string(40, '}');
    return {
        {"not JSON", "{\"format\": ", "not valid JSON: parse error at line 1"},
        {"not an object", "[1, 2]", "the top level must be a JSON object"},
        {"no format", R"({"records": []})", "the top level has no \"format\""},
        {"other format", R"({"format": "vcs-tokens-2"})", "\"format\" must be \"vcs-tokens-1\""},
        {"unknown top key", R"({"format": "vcs-tokens-1", "recrods": []})", "unknown key \"recrods\""},
        {"records not a list", R"({"format": "vcs-tokens-1", "records": {}})", "\"records\" must be a JSON array"},
        {"record without class", R"({"format": "vcs-tokens-1", "records": [{"name": "A"}]})", "record 0: the record has no \"class\""},
        {"class a number", R"({"format": "vcs-tokens-1", "records": [{"class": 5, "name": "A"}]})", "record 0: \"class\" must be a JSON string"},
        {"header line with LF", R"({"format": "vcs-tokens-1", "header": ["a\nb"]})", "header line 0: a header line holds a line feed"},
        {"header line a number", R"({"format": "vcs-tokens-1", "header": [1]})", "header line 0: a header line must be a JSON string"},
        {"value missing", Source(R"({"name": "Caption"})"), "record 0 (\"Zibolt\"), property \"Caption\": the property has no \"value\""},
        {"value a number", Source(R"({"name": "Caption", "value": 5})"), "property \"Caption\": a value is a JSON string or an object"},
        {"two keys", Source(R"({"name": "A", "value": {"bool": true, "coo": 1}})"), "property \"A\": a value is a JSON string or an object with exactly one key"},
        {"unknown form", Source(R"({"name": "A", "value": {"png": "x.png"}})"), "property \"A\": unknown value form \"png\""},
        {"non-ASCII text", Source(R"({"name": "A", "value": "Gr\u00fc\u00df"})"), "property \"A\": the value holds a character outside ASCII"},
        {"bad base64", Source(R"({"name": "A", "value": {"base64": "AP8"}})"), "property \"A\": the \"base64\" text is not standard base64"},
        {"number as text", Source(R"({"name": "Interval", "value": {"number": "250"}})"), "property \"Interval\": the form \"number\" takes a JSON number, not \"250\""},
        {"bool as text", Source(R"({"name": "Enabled", "value": {"bool": "True"}})"), "property \"Enabled\": the form \"bool\" takes true or false"},
        {"coo too big", Source(R"({"name": "XPos", "value": {"coo": 1e39}})"), "property \"XPos\": the coordinate 1e+39 does not fit"},
        {"bad colour", Source(R"({"name": "BackColor", "value": {"color": "RGB24:GG"}})"), "property \"BackColor\": the form \"color\" takes"},
        {"colour out of range", Source(R"({"name": "BackColor", "value": {"color": 16777216}})"), "property \"BackColor\": the form \"color\" takes"},
        {"tag with LF", Source(R"({"name": "Tag", "value": {"tags": ["a=1\nb=2"]}})"), "property \"Tag\": tag 0 holds a line feed"},
        {"nested not a list", Source(R"({"name": "R", "value": {"nested": {}}})"), "property \"R\": the properties must be a JSON array"},
        {"list record broken", Source(R"({"name": "FrameList", "value": {"records": [[], [{"name": "Name", "value": {"number": null}}]]}})"),
         "property \"FrameList\", record 1, property \"Name\": the form \"number\" takes a JSON number"},
        {"missing file", Source(R"({"name": "Surface", "value": {"file": "no/such.bmp"}})"), "property \"Surface\": \"no/such.bmp\": cannot read the file"},
        {"folder as file", Source(R"({"name": "Surface", "value": {"file": "."}})"), "property \"Surface\": \".\": cannot read the file: it is not a regular file"},
        {"too deep", Source(R"({"name": "Deep", "value": )" + deep + "}"), "property \"Deep\": values are nested more than 32 levels deep"},
        {"wrong length text", Source(R"({"name": "A", "value": "abc", "valueLength": "04"})"), "property \"A\": \"valueLength\" \"04\" reads as 4 but the payload has 3 bytes"},
        {"length text with '#'", Source(R"({"name": "A", "value": "abc", "valueLength": "3#"})"), "\"valueLength\" \"3#\" holds a '#'"},
        {"block and properties", R"({"format": "vcs-tokens-1", "records": [{"class": "V", "name": "N", "properties": [], "block": "x"}]})",
         "record 0 (\"N\"): a record has \"properties\" or a raw \"block\", not both"},
        {"raw block length wrong", R"({"format": "vcs-tokens-1", "records": [{"class": "V", "name": "N", "blockLength": "3", "block": "x"}, {"class": "V", "name": "M"}]})",
         "record 0 (\"N\"): \"blockLength\" \"3\" reads as 3 but the block holds 1 bytes"},
        {"tail not an end", R"({"format": "vcs-tokens-1", "tail": "3#ab"})", "tail: the tail \"3#ab\" is not what the engine reads as the end"},
        {"length text a number", Source(R"({"name": "A", "value": "abc", "nameLength": 1})"), "\"nameLength\" must be a JSON string"},
        {"block length wrong", R"({"format": "vcs-tokens-1", "records": [{"class": "V", "name": "N", "blockLength": "01"}]})",
         "record 0 (\"N\"): \"blockLength\" \"01\" reads as 1 but the properties take 0 bytes"},
        {"block length bad", R"({"format": "vcs-tokens-1", "records": [{"class": "V", "name": "N", "blockLength": "99999999999"}]})",
         "\"blockLength\" \"99999999999\" does not read: LoadLongIntFromStream: number 99999999999 is outside the 32-bit range."},
        {"unknown property key", Source(R"({"name": "A", "valeu": "x"})"), "record 0 (\"Zibolt\"), property 0: unknown key \"valeu\""},
    };
}

TEST(VcsBuild, HostileSourcesAreRefusedWithWhereAndWhat)
{
    for (const auto& c : HostileSources()) {
        try {
            VcsBuildContext context;
            context.baseDir = ::testing::TempDir();
            VcsJson root = VcsJson::parse(c.json);
            StreamFromJson(root, context);
            ADD_FAILURE() << c.what << ": built";
        } catch (const VcsBuildError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        } catch (const VcsJson::parse_error&) {
            EXPECT_STREQ(c.what, "not JSON");
        }
    }
}

TEST(VcsBuild, BuildCommandRefusesInOneLineAndLeavesNoOutput)
{
    fs::path dir = fs::path(::testing::TempDir()) / "vcs_build_command";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::path out = dir / "out.vcs";
    VcsCommand build = BuildCommand();
    for (const auto& c : HostileSources()) {
        fs::path source = dir / "source.json";
        std::ofstream(source, std::ios::binary) << c.json;
        std::ostringstream stdout_, stderr_;
        EXPECT_EQ(build.run({source.string(), "-o", out.string()}, stdout_, stderr_), kVcsFailed) << c.what;
        std::string line = stderr_.str();
        EXPECT_EQ(line.find("vcs: " + source.string() + ": "), 0u) << line;
        EXPECT_NE(line.find(c.message), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
        EXPECT_FALSE(fs::exists(out)) << c.what;
        EXPECT_FALSE(fs::exists(dir / "out.vcs.tmp")) << c.what;
    }

    // A good build replaces the output; a later failed one leaves it as it was.
    fs::path good = dir / "good.json";
    std::ofstream(good) << R"({"format": "vcs-tokens-1", "header": ["A=1"]})";
    std::ostringstream o, e;
    ASSERT_EQ(build.run({good.string(), "-o", out.string()}, o, e), kVcsOk) << e.str();
    std::ofstream(dir / "source.json") << "{";
    EXPECT_EQ(build.run({(dir / "source.json").string(), "-o", out.string()}, o, e), kVcsFailed);
    std::ifstream in(out, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "VCS4#A=1\n");
}

// Timelines the director would play wrongly or never: refused by build and by show, naming
// the director (and, for keys that do not pair, the pixie and both frame numbers).
TEST(VcsBuild, BuildAndShowRefuseDirectorsThatWouldMisplay)
{
    RegisterPixieValueForms();
    fs::path dir = fs::path(::testing::TempDir()) / "vcs_build_directors";
    fs::remove_all(dir);
    fs::create_directories(dir);
    struct Case {
        std::vector<VTupleEntry> getIn, getOut;
        std::string message;
    };
    const Case cases[] = {
        {{{"3", "door", "XPos=1;YPos=2;"}, {"7", "door", "XPos=5;ZPos=2;"}}, {},
         "director \"getin\", pixie \"door\": key frames 3 and 7 set different keys, so YPos of frame 3 would "
         "move towards ZPos of frame 7"},
        {{{"1", "getin", "Visible=True;"}}, {}, "director \"getin\" directs itself;"},
        {{{"1", "getout", "XPos=1;"}}, {{"1", "GETIN", "XPos=2;"}}, "director \"getin\" directs itself through \"getout\";"},
    };
    for (const Case& c : cases) {
        std::string json = R"({"format": "vcs-tokens-1", "records": [)";
        VStreamWriter stream;
        for (const auto& [name, tuples] : {std::pair{"getin", c.getIn}, std::pair{"getout", c.getOut}}) {
            if (tuples.empty())
                continue;
            std::string payload = TupelsPayload(tuples);
            json += std::string(name == std::string("getin") ? "" : ", ") + R"({"class": "VDirector", "name": ")" +
                    name + R"(", "properties": [{"name": "Tupels", "value": {"base64": ")" +
                    EncodeBase64(payload) + R"("}}]})";
            stream.Record("VDirector", name, VPropertyWriter().Raw("Tupels", payload));
        }
        json += "]}";
        std::ofstream(dir / "source.json") << json;
        stream.WriteFile((dir / "scene.vcs").string());
        for (VcsCommand command : {BuildCommand(), ShowCommand()}) {
            std::vector<std::string> args{(dir / (command.name == std::string("build") ? "source.json" : "scene.vcs")).string()};
            if (command.name == std::string("build"))
                args.insert(args.end(), {"-o", (dir / "out.vcs").string()});
            std::ostringstream out, err;
            EXPECT_EQ(command.run(args, out, err), kVcsFailed) << command.name << ": " << c.message;
            EXPECT_NE(err.str().find(c.message), std::string::npos) << command.name << ": " << err.str();
        }
    }
}

TEST(VcsBuild, CommandLineProblemsAreUsageErrors)
{
    VcsCommand build = BuildCommand();
    VcsCommand tokens = TokensCommand();
    std::ostringstream out, err;
    EXPECT_EQ(build.run({"a.json"}, out, err), kVcsUsage);
    EXPECT_EQ(build.run({"a.json", "-o"}, out, err), kVcsUsage);
    EXPECT_EQ(tokens.run({}, out, err), kVcsUsage);
    EXPECT_EQ(tokens.run({"a.vcs", "--frobnicate"}, out, err), kVcsUsage);
    EXPECT_NE(err.str().find("usage: vcs tokens FILE"), std::string::npos);
    std::ostringstream help;
    EXPECT_EQ(build.run({"--help"}, help, err), kVcsOk);
    EXPECT_EQ(help.str().find("usage: vcs build FILE.json [--palette MASTER.txt] -o OUT"), 0u);
}

}  // namespace
