#include "engine/stream/VMemoryStream.h"

#include <algorithm>
#include <cstring>

VMemoryBuffer::VMemoryBuffer(const void* data, std::size_t size)
{
    char* begin = const_cast<char*>(static_cast<const char*>(data));
    setg(begin, begin, begin + size);
}

VMemoryBuffer::pos_type VMemoryBuffer::seekoff(off_type off, std::ios_base::seekdir dir,
                                               std::ios_base::openmode which)
{
    if (!(which & std::ios_base::in))
        return pos_type(off_type(-1));
    off_type base = dir == std::ios_base::beg   ? 0
                    : dir == std::ios_base::cur ? gptr() - eback()
                                                : egptr() - eback();
    off_type target = base + off;
    if (target < 0 || target > egptr() - eback())
        return pos_type(off_type(-1));
    setg(eback(), eback() + target, egptr());
    return pos_type(target);
}

VMemoryBuffer::pos_type VMemoryBuffer::seekpos(pos_type pos, std::ios_base::openmode which)
{
    return seekoff(off_type(pos), std::ios_base::beg, which);
}

std::streamsize VMemoryBuffer::xsgetn(char* out, std::streamsize count)
{
    std::streamsize n = std::min<std::streamsize>(count, egptr() - gptr());
    if (n > 0) {
        std::memcpy(out, gptr(), static_cast<std::size_t>(n));
        gbump(static_cast<int>(n));
    }
    return n;
}

VMemoryStream::VMemoryStream(const void* data, std::size_t size)
    : std::istream(nullptr), buffer_(data, size)
{
    rdbuf(&buffer_);
}

VMemoryStream::VMemoryStream(std::string bytes)
    : std::istream(nullptr), owned_(std::move(bytes)), buffer_(owned_.data(), owned_.size())
{
    rdbuf(&buffer_);
}
