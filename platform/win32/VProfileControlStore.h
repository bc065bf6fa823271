#pragma once

#include <string>

#include "show/VControlSettings.h"

// The settings through the platform's profile functions, section "Zibolt", in the user's own
// "%APPDATA%\Zibolt\control.ini": a normal user may not write the Windows folder, where a
// "control.ini" without a path would go. Until that file exists, an older "control.ini" in the
// Windows folder gives the values; the first write starts the new file from it.
class VProfileControlStore : public VControlStore {
public:
    // `file`: the settings file; `olderFile`: the profile file read until `file` exists
    // (a bare name means the Windows folder).
    VProfileControlStore(std::string file, std::string olderFile);

    std::string Read(const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& key, const std::string& value) override;
    // As Write, but tells whether the value reached the file; GetProblem says why not (the
    // settings layer logs it).
    bool TryWrite(const std::string& key, const std::string& value);
    std::string GetProblem() const override { return problem_; }

    const std::string& GetFile() const { return file_; }
    // False after a write that did not reach the file, until one does.
    bool LastWriteSucceeded() const { return lastWriteOk_; }

    // "%APPDATA%\Zibolt\control.ini"; empty when the user has no application data folder.
    static std::string UserFile();

    static constexpr const char* kOlderFile = "control.ini";
    static constexpr const char* kSection = "Zibolt";

private:
    bool StartFile();

    std::string file_;
    std::string olderFile_;
    bool lastWriteOk_ = true;
    std::string problem_;
};

// Installs the profile store on the user's settings file as the settings of this program.
VProfileControlStore& InstallProfileControlStore();
