#pragma once

#include <filesystem>
#include <string>

#include "show/VControlSettings.h"

// Settings in one section of an INI file. Reads never write; a write replaces the file as a
// whole through a temporary file in the same folder, so a crash leaves the old or the new
// file, never a half-written one. Other sections, other keys, comments and lines that are no
// INI at all are kept as they were. Section and key names match without regard to case.
// A file that cannot be read back as settings (a folder, binary data, one too large) and a
// file marked read-only are never replaced; GetProblem says why.
class VIniControlStore : public VControlStore {
public:
    // Files are read up to 16 MiB: far more than any settings file needs, yet bounded.
    static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t(16) << 20;

    VIniControlStore(std::filesystem::path file, std::string section,
                     std::uintmax_t maxFileSize = kMaxFileSize);

    std::string Read(const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& key, const std::string& value) override;
    std::string GetProblem() const override { return problem_; }
    // As Write, but tells whether the file was written.
    bool TryWrite(const std::string& key, const std::string& value);

    const std::filesystem::path& GetFile() const { return file_; }

    // The text-level work, on the file's contents.
    static bool FindValue(const std::string& text, const std::string& section,
                          const std::string& key, std::string& value);
    static std::string SetValue(const std::string& text, const std::string& section,
                                const std::string& key, const std::string& value);

private:
    enum class Load { Missing, Loaded, Broken };
    // Broken sets problem_.
    Load LoadText(const std::filesystem::path& file, std::string& text);
    Load Broken(std::string problem);
    bool Fail(std::string problem);

    std::filesystem::path file_;
    std::string section_;
    std::uintmax_t maxFileSize_;
    std::string problem_;
};
