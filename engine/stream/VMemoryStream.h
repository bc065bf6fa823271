#pragma once

#include <cstddef>
#include <istream>
#include <streambuf>
#include <string>

// An input stream over bytes held elsewhere, so a resource or a file image is parsed in place.
class VMemoryBuffer : public std::streambuf {
public:
    VMemoryBuffer(const void* data, std::size_t size);

    // Offset of the next byte to read; valid whatever state the stream is in.
    std::size_t Position() const { return static_cast<std::size_t>(gptr() - eback()); }

protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;
    std::streamsize xsgetn(char* out, std::streamsize count) override;
};

class VMemoryStream : public std::istream {
public:
    // Reads bytes that the caller keeps alive.
    VMemoryStream(const void* data, std::size_t size);
    // Reads its own copy of the bytes.
    explicit VMemoryStream(std::string bytes);

    std::size_t Position() const { return buffer_.Position(); }

private:
    std::string owned_;
    VMemoryBuffer buffer_;
};
