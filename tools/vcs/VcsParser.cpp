#include "tools/vcs/VcsParser.h"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"
#include "tools/vcs/VcsBytes.h"
#include "tools/vcs/VcsErrors.h"

namespace {

// A token inside a property block ran into the block's end while the data goes on.
struct BlockOverrun {};

class StreamParser {
public:
    explicit StreamParser(std::string_view data) : data_(data) {}

    VcsStream Parse();

private:
    [[noreturn]] static void Fail(std::size_t offset, const std::string& message)
    {
        throw VcsStreamError(offset, message);
    }
    // The readers leave the stream where they found the fault: at the end of the data, or just
    // after the byte they refused.
    [[noreturn]] static void FailAtReader(const VMemoryStream& in, const VStreamException& e)
    {
        std::size_t at = in.Position();
        if (!in.eof() && at > 0)
            --at;
        Fail(at, e.GetMessage());
    }

    // `limit` is where `in` ends: the data's end, or a property block's end.
    VcsToken Counted(VMemoryStream& in, std::size_t limit, const std::string& what);
    int32_t Number(VMemoryStream& in, std::optional<std::string>& text);
    VcsRecord Record(VMemoryStream& in, std::size_t index);

    std::string_view data_;
};

VcsStream StreamParser::Parse()
{
    VMemoryStream in(data_.data(), data_.size());
    for (char expected : {'V', 'C', 'S'}) {
        std::size_t at = in.Position();
        if (in.get() != expected)
            Fail(at, "AddComponentStream encountered an invalid header.");
    }
    VcsStream stream;
    stream.header = Counted(in, data_.size(), "the header token");
    while (!AtEnd(in))
        stream.records.push_back(Record(in, stream.records.size()));
    return stream;
}

VcsToken StreamParser::Counted(VMemoryStream& in, std::size_t limit, const std::string& what)
{
    const bool inBlock = limit < data_.size();
    std::size_t start = in.Position();
    int consumed = -1;  // the reader leaves it alone when the data ends before a '#'
    std::string payload;
    try {
        payload = LoadStringFromStream(in, consumed);
    } catch (const VStreamException& e) {
        if (inBlock && in.eof())
            throw BlockOverrun{};
        FailAtReader(in, e);
    }
    if (consumed < 0) {
        if (inBlock)
            throw BlockOverrun{};
        if (start == data_.size())
            Fail(start, what + " is missing: the data ends here.");
        Fail(start, what + " is cut short: the data ends before the '#' that closes its length.");
    }
    std::size_t lengthChars = in.Position() - start - 1 - payload.size();
    std::string text(data_.substr(start, lengthChars));
    // The reader converts the length leniently; a scene file should hold a number token there.
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if ((c < '0' || c > '9') && c != '-')
            Fail(start + i, what + " has the length " + Quoted(text) +
                                ", which is not a number (digits and '-' only).");
    }
    VcsToken token{std::move(payload), std::nullopt};
    if (text != std::to_string(token.bytes.size()))
        token.lengthText = std::move(text);
    return token;
}

int32_t StreamParser::Number(VMemoryStream& in, std::optional<std::string>& text)
{
    std::size_t start = in.Position();
    int consumed = 0;
    int32_t value = 0;
    try {
        value = LoadLongIntFromStream(in, consumed);
    } catch (const VStreamException& e) {
        FailAtReader(in, e);
    }
    std::string written(data_.substr(start, in.Position() - start - 1));
    if (written != std::to_string(value))
        text = std::move(written);
    else
        text.reset();
    return value;
}

VcsRecord StreamParser::Record(VMemoryStream& in, std::size_t index)
{
    VcsRecord record;
    std::string label = "record " + std::to_string(index);
    record.className = Counted(in, data_.size(), label + ": the class name");
    label += " (class " + Quoted(record.className.bytes);
    if (AtEnd(in))
        Fail(in.Position(), label + ") ends after its class name.");
    record.name = Counted(in, data_.size(), label + "): the component name");
    label += ", name " + Quoted(record.name.bytes) + ")";

    std::size_t lengthStart = in.Position();
    int32_t length = Number(in, record.blockLengthText);
    if (length < 0)
        Fail(lengthStart, label + ": the property block length " + std::to_string(length) + " is negative.");
    std::size_t blockStart = in.Position();
    std::size_t blockEnd = blockStart + static_cast<std::size_t>(length);
    std::size_t limit = std::min(blockEnd, data_.size());

    // Entries are read from a view that ends with the block, so one that overruns it shows.
    VMemoryStream block(data_.data(), limit);
    block.seekg(static_cast<std::streamoff>(blockStart));
    while (block.Position() < limit) {
        std::size_t entryStart = block.Position();
        std::string entry = "property " + std::to_string(record.properties.size());
        try {
            VcsProperty property;
            property.name = Counted(block, limit, label + ", " + entry + ": the name");
            entry = "property " + Quoted(property.name.bytes);
            property.value = Counted(block, limit, label + ", " + entry + ": the value");
            record.properties.push_back(std::move(property));
        } catch (const BlockOverrun&) {
            Fail(entryStart, label + ": the property entries do not add up to the block length " +
                                 std::to_string(length) + ": " + entry +
                                 " runs past the block's end at byte " + std::to_string(blockEnd) + ".");
        }
    }
    if (blockEnd > data_.size())
        Fail(data_.size(), label + ": the data ends " + std::to_string(data_.size() - blockStart) +
                               " bytes into its property block, which declares " +
                               std::to_string(length) + ".");
    in.seekg(static_cast<std::streamoff>(blockEnd));
    return record;
}

}  // namespace

VcsStream ParseStream(std::string_view bytes)
{
    return StreamParser(bytes).Parse();
}
