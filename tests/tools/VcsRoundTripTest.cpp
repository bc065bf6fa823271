#include <gtest/gtest.h>

#include <random>

#include "engine/stream/VStageCore.h"
#include "engine/stream/VTimer.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamWriter.h"
#include "tests/tools/VcsTestSupport.h"

namespace {

const std::string kAwkward("#\0\r\n\x80\xff 12#", 10);

TEST(VcsRoundTrip, WriterStreamsComeBackByteForByte)
{
    VPropertyWriter frame;
    frame.Text("Name", "staand1").Coo("HotSpotX", 54);
    std::vector<VPropertyWriter> frames{frame, VPropertyWriter(), frame};
    VPropertyWriter rect;
    rect.Coo("X", 0).Coo("Y", 5).Coo("Width", 6).Coo("Height", 0);

    VPropertyWriter props;
    props.Text("Caption", "Hello Zibolt")
        .Raw("Binary", kAwkward)
        .Raw("Empty", "")
        .Raw("HighBytes", "\x80\x81\xfe")
        .Raw("Lines", "a\r\nb\tc\n")
        .Tags("Tag", {"Sterretje=True", "Frequency=50"})
        .Tags("NoTags", {})
        .Wrapped("FileName", "$\\Scenes\\Images\\8bit\\metallic.bmp")
        .Nested("WindowRect", rect)
        .RecordList("FrameList", frames)
        .RecordList("SequenceList", {})
        .Color("BackColor", 0xFFFFFF)
        .Number("Interval", 250.5);

    const std::vector<std::string> streams = {
        VStreamWriter().Header({"Type=Moving", "Frequency=50"}).Record("VStage", "Stage", props).Bytes(),
        VStreamWriter().Bytes(),                                  // empty header, no records
        VStreamWriter().HeaderRaw("Version=0.1b").Bytes(),        // header without a final LF
        VStreamWriter().HeaderRaw(kAwkward).Bytes(),
        VStreamWriter().HeaderRaw("a\n\nb\n").Record("", "", VPropertyWriter()).Bytes(),
        VStreamWriter().Record(std::string("V\0T", 3), "\xe9t\xe9", props).Record("VTimer", "Tick", frame).Bytes(),
    };
    for (const auto& bytes : streams)
        EXPECT_EQ(TokensThenBuild(bytes), bytes);
}

TEST(VcsRoundTrip, ListingShowsTextAsTextAndTheRestAsBase64)
{
    VPropertyWriter props;
    props.Text("Caption", "Hello\n").Raw("Bits", std::string("\0\x01", 2));
    std::string bytes = VStreamWriter().Header({"Version=0.1b"}).Record("VStage", "Stage", props).Bytes();
    VcsJson listing = VcsJson::parse(StreamToJson(ParseStream(bytes)));
    EXPECT_EQ(listing["format"], "vcs-tokens-1");
    EXPECT_EQ(listing["header"], VcsJson::array({"Version=0.1b"}));
    const VcsJson& record = listing["records"][0];
    EXPECT_EQ(record["class"], "VStage");
    EXPECT_EQ(record["name"], "Stage");
    EXPECT_EQ(record["properties"][0]["value"], "Hello\n");
    EXPECT_EQ(record["properties"][1]["value"], VcsJson({{"base64", "AAE="}}));
    EXPECT_FALSE(record.contains("blockLength"));

    EXPECT_EQ(VcsJson::parse(StreamToJson(ParseStream(VStreamWriter().HeaderRaw("A=1").Bytes())))["header"], "A=1");
    EXPECT_EQ(VcsJson::parse(StreamToJson(ParseStream(VStreamWriter().Bytes())))["header"], VcsJson::array());
}

TEST(VcsRoundTrip, NonCanonicalLengthTextsAreKept)
{
    // The writer spells every length canonically; these streams hold other spellings of the same numbers.
    std::string entries = "007#Caption05#Hello" "#" "#" "-0#" "0-0#";
    std::string bytes = "VCS00#" + CountedToken("VStage") + "05#Stage" + "0" + NumberToken(entries.size()) + entries +
                        "6#VTimer" "#" "-0#";
    VcsStream stream = ParseStream(bytes);
    EXPECT_EQ(stream.header.lengthText, "00");
    ASSERT_EQ(stream.records.size(), 2u);
    const VcsRecord& stage = stream.records[0];
    EXPECT_FALSE(stage.className.lengthText);
    EXPECT_EQ(stage.name.lengthText, "05");
    EXPECT_EQ(stage.blockLengthText, "0" + std::to_string(entries.size()));
    ASSERT_EQ(stage.properties.size(), 3u);
    EXPECT_EQ(stage.properties[0].name.lengthText, "007");
    EXPECT_EQ(stage.properties[1].name.lengthText, "");
    EXPECT_EQ(stage.properties[2].name.lengthText, "-0");
    EXPECT_EQ(stage.properties[2].value.lengthText, "0-0");
    EXPECT_EQ(stream.records[1].name.lengthText, "");
    EXPECT_EQ(stream.records[1].blockLengthText, "-0");

    std::string listing = StreamToJson(stream);
    EXPECT_NE(listing.find("\"nameLength\": \"05\""), std::string::npos);
    EXPECT_EQ(TokensThenBuild(bytes), bytes);
}

TEST(VcsRoundTrip, TheEngineReadsTheBuiltSample)
{
    // The sample a scene author starts from builds into a stream the component manager accepts.
    std::string json = R"({"format": "vcs-tokens-1", "header": ["Version=0.1b"], "records": [
        {"class": "VStage", "name": "Stage", "properties": [{"name": "Tag", "value": {"tags": ["Greeting=Hello"]}}]},
        {"class": "VTimer", "name": "Tick", "properties": [
            {"name": "Interval", "value": {"number": 250}},
            {"name": "Enabled", "value": {"bool": true}}]}]})";
    std::string bytes = BuildFromText(json);
    struct Stage : VStageCore {
        Stage()
        {
            GetChildren().push_back(this);
            SetCurrentStage(this);
        }
        ~Stage() override { SetCurrentStage(nullptr); }
        double GetTime() override { return 0.0; }
    } stage;
    VMemoryStream in(bytes);
    stage.AddComponentStream(&in);
    ASSERT_EQ(stage.GetChildren().size(), 2u);
    auto* timer = dynamic_cast<VTimer*>(stage.GetChildren()[1]);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetInterval(), 250.0);
    EXPECT_TRUE(timer->IsEnabled());
    EXPECT_EQ(GetTagValue(stage.GetTags(), "Greeting", ""), "Hello");
    EXPECT_EQ(GetTagValue(stage.GetHeader(), "Version", ""), "0.1b");
}

// Random streams: tokens whose payloads favour the bytes that trip up text handling, with lengths
// spelt canonically or not.
class RandomStreams {
public:
    explicit RandomStreams(unsigned seed) : random_(seed) {}

    std::string Bytes(int maxLength)
    {
        static const std::string special("#\0\r\n\t\x80\xff-0123456789=", 19);
        std::string out(Pick(0, maxLength), '\0');
        for (char& c : out)
            c = Pick(0, 2) == 0 ? special[Pick(0, static_cast<int>(special.size()) - 1)]
                                : static_cast<char>(Pick(0, 2) ? Pick(0x20, 0x7e) : Pick(0, 255));
        return out;
    }
    VcsToken Token(int maxLength)
    {
        VcsToken token{Bytes(maxLength), std::nullopt};
        token.lengthText = Spelling(token.bytes.size(), true);
        return token;
    }
    // A non-canonical spelling now and then; a counted length is read with atol, a block length by digits.
    std::optional<std::string> Spelling(std::size_t value, bool counted)
    {
        switch (Pick(0, 9)) {
        case 0: return std::string(Pick(1, 3), '0') + std::to_string(value);
        case 1: return value == 0 ? std::optional<std::string>("") : std::nullopt;
        case 2: return value == 0 ? std::optional<std::string>("-0") : std::nullopt;
        case 3: return counted ? std::optional<std::string>(std::to_string(value) + "-") : std::nullopt;
        default: return std::nullopt;
        }
    }
    VcsStream Stream()
    {
        VcsStream stream;
        stream.header = Pick(0, 1) ? Token(60) : VcsToken{TagText({"Type=Moving", Bytes(5)}), std::nullopt};
        for (int r = Pick(0, 4); r > 0; --r) {
            VcsRecord record{Token(10), Token(10), std::nullopt, {}};
            for (int p = Pick(0, 6); p > 0; --p)
                record.properties.push_back({Token(8), Token(Pick(0, 1) ? 20 : 300)});
            record.blockLengthText = Spelling(EntriesBytes(record.properties).size(), false);
            stream.records.push_back(std::move(record));
        }
        return stream;
    }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::mt19937 random_;
};

bool SameToken(const VcsToken& a, const VcsToken& b)
{
    return a.bytes == b.bytes && a.lengthText == b.lengthText;
}

TEST(VcsRoundTrip, RandomStreamsSurviveTheTrip)
{
    RandomStreams random(20261207);
    for (int i = 0; i < 400; ++i) {
        VcsStream made = random.Stream();
        std::string bytes = StreamBytes(made);
        VcsStream read = ParseStream(bytes);
        ASSERT_TRUE(SameToken(read.header, made.header)) << "stream " << i;
        ASSERT_EQ(read.records.size(), made.records.size()) << "stream " << i;
        for (std::size_t r = 0; r < made.records.size(); ++r) {
            ASSERT_TRUE(SameToken(read.records[r].name, made.records[r].name)) << "stream " << i;
            ASSERT_EQ(read.records[r].blockLengthText, made.records[r].blockLengthText) << "stream " << i;
            ASSERT_EQ(read.records[r].properties.size(), made.records[r].properties.size()) << "stream " << i;
        }
        ASSERT_EQ(TokensThenBuild(bytes), bytes) << "stream " << i;
    }
}

TEST(VcsRoundTrip, CanonicalStreamsMatchTheEngineWriter)
{
    // The tool's own writer agrees with the engine's where both spell lengths canonically.
    RandomStreams random(7);
    for (int i = 0; i < 100; ++i) {
        VcsStream stream = random.Stream();
        stream.header.lengthText.reset();
        VStreamWriter writer;
        writer.HeaderRaw(stream.header.bytes);
        for (auto& record : stream.records) {
            record.className.lengthText.reset();
            record.name.lengthText.reset();
            record.blockLengthText.reset();
            VPropertyWriter props;
            for (auto& property : record.properties) {
                property.name.lengthText.reset();
                property.value.lengthText.reset();
                props.Raw(property.name.bytes, property.value.bytes);
            }
            writer.Record(record.className.bytes, record.name.bytes, props);
        }
        ASSERT_EQ(StreamBytes(stream), writer.Bytes()) << "stream " << i;
    }
}

}  // namespace
