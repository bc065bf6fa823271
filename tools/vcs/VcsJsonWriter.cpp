#include "tools/vcs/VcsJsonWriter.h"

#include "tools/vcs/VcsBytes.h"

namespace {

std::string Dump(const VcsJson& value)
{
    return value.dump();
}

// Header lines when the payload is printable lines each ended by LF, else the payload itself.
VcsJson HeaderToJson(const std::string& payload)
{
    if (!IsPrintableText(payload) || (!payload.empty() && payload.back() != '\n'))
        return BytesToJson(payload);
    VcsJson lines = VcsJson::array();
    std::size_t from = 0;
    while (from < payload.size()) {
        std::size_t end = payload.find('\n', from);
        lines.push_back(payload.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

void AppendLength(std::string& out, const char* key, const std::optional<std::string>& text)
{
    if (text)
        out += std::string(", \"") + key + "\": " + Dump(BytesToJson(*text));
}

}  // namespace

VcsJson BytesToJson(std::string_view bytes)
{
    if (IsPrintableText(bytes))
        return std::string(bytes);
    return VcsJson{{"base64", EncodeBase64(bytes)}};
}

std::string StreamToJson(const VcsStream& stream)
{
    std::string out = "{\n  \"format\": " + Dump(kVcsFormat) + ",\n";
    VcsJson header = stream.headerMissing ? VcsJson(nullptr) : HeaderToJson(stream.header.bytes);
    if (header.is_array() && !header.empty()) {
        out += "  \"header\": [\n";
        for (std::size_t i = 0; i < header.size(); ++i)
            out += "    " + Dump(header[i]) + (i + 1 < header.size() ? ",\n" : "\n");
        out += "  ]";
    } else {
        out += "  \"header\": " + Dump(header);
    }
    if (stream.header.lengthText && !stream.headerMissing)
        out += ",\n  \"headerLength\": " + Dump(BytesToJson(*stream.header.lengthText));
    out += ",\n  \"records\": [";
    for (std::size_t r = 0; r < stream.records.size(); ++r) {
        const VcsRecord& record = stream.records[r];
        out += r == 0 ? "\n" : ",\n";
        out += "    {\n";
        out += "      \"class\": " + Dump(BytesToJson(record.className.bytes)) + ",\n";
        out += "      \"name\": " + Dump(BytesToJson(record.name.bytes)) + ",\n";
        if (record.className.lengthText)
            out += "      \"classLength\": " + Dump(BytesToJson(*record.className.lengthText)) + ",\n";
        if (record.name.lengthText)
            out += "      \"nameLength\": " + Dump(BytesToJson(*record.name.lengthText)) + ",\n";
        if (record.blockLengthText)
            out += "      \"blockLength\": " + Dump(*record.blockLengthText) + ",\n";
        if (record.rawBlock) {
            out += "      \"block\": " + Dump(BytesToJson(*record.rawBlock)) + "\n    }";
            continue;
        }
        out += "      \"properties\": [";
        for (std::size_t p = 0; p < record.properties.size(); ++p) {
            const VcsProperty& property = record.properties[p];
            out += p == 0 ? "\n" : ",\n";
            out += "        {\"name\": " + Dump(BytesToJson(property.name.bytes)) +
                   ", \"value\": " + Dump(BytesToJson(property.value.bytes));
            AppendLength(out, "nameLength", property.name.lengthText);
            AppendLength(out, "valueLength", property.value.lengthText);
            out += "}";
        }
        out += record.properties.empty() ? "]\n" : "\n      ]\n";
        out += "    }";
    }
    out += stream.records.empty() ? "]" : "\n  ]";
    if (!stream.tail.empty())
        out += ",\n  \"tail\": " + Dump(BytesToJson(stream.tail));
    return out + "\n}\n";
}
