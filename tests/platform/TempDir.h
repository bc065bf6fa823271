#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A fresh directory per test, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("zibolt-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};
