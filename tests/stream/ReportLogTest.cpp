#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/stream/VReportLog.h"

namespace fs = std::filesystem;

namespace {

class ReportLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("zibolt-log-" + std::string(
                    ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(ReportLogTest, MakesItsFolderAndKeepsOneLinePerReport)
{
    VReportLog log((dir_ / "state" / "zibolt.log").string());
    ASSERT_TRUE(log.Append("first"));
    ASSERT_TRUE(log.Append("second\nline"));
    const auto lines = log.Tail(10);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("first"), std::string::npos);
    EXPECT_NE(lines[1].find("second line"), std::string::npos);
}

TEST_F(ReportLogTest, RotatesAtItsLimitAndTailReachesIntoTheOlderFile)
{
    const fs::path path = dir_ / "zibolt.log";
    VReportLog log(path.string(), 200);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(log.Append("report " + std::to_string(i)));
    EXPECT_LE(fs::file_size(path), 200u);
    EXPECT_LE(fs::file_size(path.string() + ".1"), 200u);
    const auto lines = log.Tail(5);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_NE(lines.back().find("report 19"), std::string::npos);
    EXPECT_NE(lines.front().find("report 15"), std::string::npos);
}

TEST_F(ReportLogTest, SaysSoWhenItCannotWrite)
{
    fs::create_directories(dir_);
    std::ofstream(dir_ / "file") << "x";
    EXPECT_FALSE(VReportLog((dir_ / "file" / "zibolt.log").string()).Append("lost"));
    EXPECT_FALSE(VReportLog("").Append("off"));
}

}  // namespace
