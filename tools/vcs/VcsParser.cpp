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

// A token inside a property block ran into the block's end.
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
    std::size_t lastBlockStart_ = 0;
};

// A raw block may hold fewer bytes than its length declares: the declared length is kept.
void KeepDeclaredLength(VcsRecord& record, int32_t length)
{
    if (record.rawBlock && !record.blockLengthText && static_cast<long long>(record.rawBlock->size()) != length)
        record.blockLengthText = std::to_string(length);
}

VcsStream StreamParser::Parse()
{
    VMemoryStream in(data_.data(), data_.size());
    for (char expected : {'V', 'C', 'S'}) {
        std::size_t at = in.Position();
        if (in.get() != expected)
            Fail(at, "AddComponentStream encountered an invalid header.");
    }
    VcsStream stream;
    std::string_view rest = data_.substr(in.Position());
    if (rest.find('#') == std::string_view::npos &&
        rest.size() <= static_cast<std::size_t>(kMaxNumberChars)) {
        // The engine's header reader meets the end before a '#' and takes that for the end.
        stream.headerMissing = true;
        stream.tail = std::string(rest);
        return stream;
    }
    stream.header = Counted(in, data_.size(), "the header token");
    std::size_t rawAt = 0;  // where the last raw block begins; 0: there is none
    std::size_t rawRecord = 0;
    while (!AtEnd(in)) {
        rest = data_.substr(in.Position());
        if (IsStreamEnd(rest)) {
            stream.tail = std::string(rest);
            break;
        }
        try {
            stream.records.push_back(Record(in, stream.records.size()));
        } catch (const VcsStreamError&) {
            // The engine reads a known class's entries on past a block's declared end, so
            // what follows a raw block need not be records: the block keeps the rest.
            if (rawAt == 0)
                throw;
            stream.records.resize(rawRecord + 1);
            VcsRecord& last = stream.records.back();
            if (!last.blockLengthText)
                last.blockLengthText = std::to_string(last.rawBlock->size());
            last.rawBlock = std::string(data_.substr(rawAt));
            stream.tail.clear();
            return stream;
        }
        if (stream.records.back().rawBlock) {
            rawRecord = stream.records.size() - 1;
            rawAt = lastBlockStart_;
        }
    }
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
    // The reader converts the length with atol's rules; whatever text it read is kept.
    std::string text(data_.substr(start, lengthChars));
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

    int32_t length = Number(in, record.blockLengthText);
    std::size_t blockStart = in.Position();
    lastBlockStart_ = blockStart;
    std::size_t blockEnd = blockStart + static_cast<std::size_t>(std::max(length, 0));
    std::size_t limit = std::min(blockEnd, data_.size());
    in.seekg(static_cast<std::streamoff>(limit));
    if (length < 0 || blockEnd > data_.size()) {
        // Read without an error: a negative length declares nothing, and a block cut by the
        // data's end is read up to it.
        record.rawBlock = std::string(data_.substr(blockStart, limit - blockStart));
        KeepDeclaredLength(record, length);
        return record;
    }

    // Entries are read from a view that ends with the block, so one that overruns it shows.
    VMemoryStream block(data_.data(), limit);
    block.seekg(static_cast<std::streamoff>(blockStart));
    try {
        while (block.Position() < limit) {
            std::string entry = label + ", property " + std::to_string(record.properties.size());
            VcsProperty property;
            property.name = Counted(block, limit, entry + ": the name");
            property.value = Counted(block, limit, entry + ": the value");
            record.properties.push_back(std::move(property));
        }
    } catch (const BlockOverrun&) {
        record.rawBlock = std::string(data_.substr(blockStart, limit - blockStart));
    } catch (const VcsStreamError&) {
        record.rawBlock = std::string(data_.substr(blockStart, limit - blockStart));
    }
    if (record.rawBlock)
        record.properties.clear();
    KeepDeclaredLength(record, length);
    return record;
}

}  // namespace

VcsStream ParseStream(std::string_view bytes)
{
    return StreamParser(bytes).Parse();
}
