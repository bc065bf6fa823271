#pragma once

#include <optional>
#include <string>
#include <vector>

// A component stream as its tokens: what `vcs tokens` lists and `vcs build` writes back.

// One counted token: its payload, and the exact text of its length when that text is not the
// plain decimal of the payload's size ("05", "" for a bare "#"), so the bytes come back as read.
struct VcsToken {
    std::string bytes;
    std::optional<std::string> lengthText;
};

struct VcsProperty {
    VcsToken name;
    VcsToken value;
};

struct VcsRecord {
    VcsToken className;
    VcsToken name;
    // Text of the property block's length token when not the plain decimal.
    std::optional<std::string> blockLengthText;
    std::vector<VcsProperty> properties;
};

struct VcsStream {
    VcsToken header;
    std::vector<VcsRecord> records;
};

std::string TokenBytes(const VcsToken& token);
// Name and value tokens back to back, with no length of their own.
std::string EntriesBytes(const std::vector<VcsProperty>& properties);
std::string RecordBytes(const VcsRecord& record);
std::string StreamBytes(const VcsStream& stream);
