#include "tools/vcs/VcsFiles.h"

#include <fstream>
#include <system_error>

#include "tools/vcs/VcsErrors.h"

namespace fs = std::filesystem;

std::string ReadFileBytes(const fs::path& path, std::uintmax_t maxBytes)
{
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error)
        throw VcsFileError(path.string(), "cannot read the file: " + error.message());
    if (!fs::is_regular_file(status))
        throw VcsFileError(path.string(), "cannot read the file: it is not a regular file");
    std::uintmax_t size = fs::file_size(path, error);
    if (error)
        throw VcsFileError(path.string(), "cannot read the file: " + error.message());
    if (size > maxBytes)
        throw VcsFileError(path.string(), "the file is " + std::to_string(size) + " bytes, more than the " +
                                              std::to_string(maxBytes) + " allowed");
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (!in || static_cast<std::uintmax_t>(in.gcount()) != size)
        throw VcsFileError(path.string(), "cannot read the file in full");
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes)
{
    fs::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw VcsFileError(temporary.string(), "cannot write the file");
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw VcsFileError(path.string(), "cannot write the file: " + error.message());
    }
}
