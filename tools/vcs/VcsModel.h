#pragma once

#include <optional>
#include <string>
#include <string_view>
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
    // A block that is not property entries adding up to its length, as its bytes. The engine
    // reads such blocks without an error (a class it does not know is skipped by its length,
    // a known class stops at the entry that does not fit), so they are kept as they stand.
    std::optional<std::string> rawBlock;
};

struct VcsStream {
    VcsToken header;
    // The data ends before the header's length does: "VCS" and a tail of a few bytes.
    bool headerMissing = false;
    std::vector<VcsRecord> records;
    // Bytes after the last record that the engine reads as the end of the stream: a record
    // that stops inside its class name's length, or after its class name.
    std::string tail;
};

// True when the engine reads `rest`, standing where a record would begin, as the end of the
// stream: bytes without a '#' (as many as a length may have), or one whole counted token.
bool IsStreamEnd(std::string_view rest);

std::string TokenBytes(const VcsToken& token);
// Name and value tokens back to back, with no length of their own.
std::string EntriesBytes(const std::vector<VcsProperty>& properties);
std::string RecordBytes(const VcsRecord& record);
std::string StreamBytes(const VcsStream& stream);
