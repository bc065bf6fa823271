#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The whole of a regular file, refused (VcsFileError) when larger than maxBytes.
std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Writes path + ".tmp" and renames it over path, so a failure never leaves a half-written file.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
