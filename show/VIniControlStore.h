#pragma once

#include <filesystem>
#include <string>

#include "show/VControlSettings.h"

// Settings in one section of an INI file. Reads never write; a write replaces the file as a
// whole through a temporary file in the same folder, so a crash leaves the old or the new
// file, never a half-written one. Other sections, other keys, comments and lines that are no
// INI at all are kept as they were. Section and key names match without regard to case.
class VIniControlStore : public VControlStore {
public:
    VIniControlStore(std::filesystem::path file, std::string section);

    std::string Read(const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& key, const std::string& value) override;
    // As Write, but tells whether the file was written.
    bool TryWrite(const std::string& key, const std::string& value);

    const std::filesystem::path& GetFile() const { return file_; }

    // Larger files are taken as broken: reads give defaults, writes leave them alone.
    static constexpr std::uintmax_t kMaxFileSize = 1 << 20;

    // The text-level work, on the file's contents.
    static bool FindValue(const std::string& text, const std::string& section,
                          const std::string& key, std::string& value);
    static std::string SetValue(const std::string& text, const std::string& section,
                                const std::string& key, const std::string& value);

private:
    enum class Load { Missing, Loaded, Broken };
    Load LoadText(std::string& text) const;

    std::filesystem::path file_;
    std::string section_;
};
