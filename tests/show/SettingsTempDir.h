#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/stream/VReportLog.h"
#include "show/VControlSettings.h"

// A fresh folder per test that also holds the settings and the report log: the default store
// is pointed there through the environment and rebuilt, so no test touches the user's own.
class SettingsTempDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("zibolt-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        setenv("ZIBOLT_CONFIG_DIR", (dir_ / "config").c_str(), 1);
        SetControlStore(nullptr);
        VReportLog::SetSharedPath(LogFile().string());
    }
    void TearDown() override
    {
        VReportLog::SetSharedPath(VReportLog::DefaultPath());
        SetControlStore(nullptr);
        unsetenv("ZIBOLT_CONFIG_DIR");
        std::filesystem::remove_all(dir_);
    }

    std::filesystem::path ConfigFile() const { return dir_ / "config" / "control.ini"; }
    std::filesystem::path LogFile() const { return dir_ / "zibolt.log"; }

    static void WriteFile(const std::filesystem::path& path, const std::string& text)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadFile(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path dir_;
};
