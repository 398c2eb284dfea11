// Where the program keeps its files.

#include "app/data_directory.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

namespace paylog {
namespace {

class DataDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(root_.isValid()); }
    std::filesystem::path path(const char* name) const {
        return std::filesystem::path(root_.path().toStdString()) / name;
    }
    QTemporaryDir root_;
};

TEST_F(DataDirectoryTest, WritableProgramDirectoryIsUsed) {
    std::filesystem::create_directory(path("program"));
    std::error_code error;
    EXPECT_EQ(chooseDataDirectory(path("program"), path("user/paylog"), error), path("program"));
    EXPECT_FALSE(error);
    EXPECT_FALSE(std::filesystem::exists(path("user"))) << "nothing created needlessly";
}

TEST_F(DataDirectoryTest, UserDirectoryIsCreatedWhenTheProgramsCannotBeUsed) {
    std::error_code error;
    EXPECT_EQ(chooseDataDirectory(path("missing"), path("user/paylog"), error),
              path("user/paylog"));
    EXPECT_FALSE(error);
    EXPECT_TRUE(std::filesystem::is_directory(path("user/paylog")));
}

// A file where the user directory should be: nowhere to keep the log.
TEST_F(DataDirectoryTest, NeitherUsableIsAnError) {
    { std::ofstream(path("blocked")) << "x"; }
    std::error_code error;
    EXPECT_EQ(chooseDataDirectory(path("missing"), path("blocked/paylog"), error),
              std::filesystem::path());
    EXPECT_TRUE(error);
}

}  // namespace
}  // namespace paylog
