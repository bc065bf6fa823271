#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

// A stream that does not read: the reader's message and the byte offset where it was found.
class VcsStreamError : public std::runtime_error {
public:
    VcsStreamError(std::size_t offset, const std::string& message)
        : std::runtime_error(message), offset_(offset)
    {
    }
    std::size_t Offset() const { return offset_; }

private:
    std::size_t offset_;
};

// A JSON source that does not build: where it went wrong (record, property) and what.
class VcsBuildError : public std::runtime_error {
public:
    VcsBuildError(const std::string& where, const std::string& problem)
        : std::runtime_error(where.empty() ? problem : where + ": " + problem)
    {
    }
};

// A file that cannot be read or written: its path and the reason.
class VcsFileError : public std::runtime_error {
public:
    VcsFileError(const std::string& path, const std::string& reason)
        : std::runtime_error(path + ": " + reason), reason_(reason)
    {
    }
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};
