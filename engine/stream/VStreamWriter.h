#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Writes component streams: the inverse of the readers. Tests and the content tools use it.

std::string NumberToken(long long value);
std::string CountedToken(std::string_view payload);
// Lines key=value, each ended by LF.
std::string TagText(const std::vector<std::string>& lines);
// A coordinate value payload: the shortest decimal text that the stream's coordinate reader
// reads back as the same float, bit for bit. Only floats too small for the reader to reach
// (below about 1e-38) get the nearest text it reads instead.
std::string CooText(float value);
// "RGB24:" and six hexadecimal digits of the colour value (red in the low byte).
std::string ColorText(uint32_t colour);

// The entries of a property block (or of a nested value, or of one record of a record list).
class VPropertyWriter {
public:
    // A value whose payload is given as it is.
    VPropertyWriter& Raw(std::string_view name, std::string_view payload);
    VPropertyWriter& Text(std::string_view name, std::string_view text) { return Raw(name, text); }
    VPropertyWriter& Number(std::string_view name, double value);
    VPropertyWriter& Coo(std::string_view name, float value) { return Raw(name, CooText(value)); }
    VPropertyWriter& Bool(std::string_view name, bool value) { return Raw(name, value ? "True" : "False"); }
    VPropertyWriter& Color(std::string_view name, uint32_t colour) { return Raw(name, ColorText(colour)); }
    // A counted token inside the value, as FileName and Tag use.
    VPropertyWriter& Wrapped(std::string_view name, std::string_view text);
    VPropertyWriter& Tags(std::string_view name, const std::vector<std::string>& lines);
    VPropertyWriter& Nested(std::string_view name, const VPropertyWriter& entries);
    // A count, then each record as its byte length and its entries.
    VPropertyWriter& RecordList(std::string_view name, const std::vector<VPropertyWriter>& records);

    const std::string& Entries() const { return entries_; }
    // The entries behind their length token, as a record's property block.
    std::string Block() const { return NumberToken(static_cast<long long>(entries_.size())) + entries_; }

private:
    std::string entries_;
};

class VStreamWriter {
public:
    VStreamWriter& Header(const std::vector<std::string>& lines) { return HeaderRaw(TagText(lines)); }
    VStreamWriter& HeaderRaw(std::string_view payload);
    VStreamWriter& Record(std::string_view className, std::string_view name,
                          const VPropertyWriter& properties);
    // A record whose property block bytes (length token included) are given as they are.
    VStreamWriter& RecordRaw(std::string_view className, std::string_view name,
                             std::string_view block);

    // "VCS", the header token, then the records.
    std::string Bytes() const { return "VCS" + CountedToken(header_) + records_; }
    void WriteFile(const std::string& path) const;

private:
    std::string header_;
    std::string records_;
};
