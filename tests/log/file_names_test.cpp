#include "core/file_names.h"

#include <gtest/gtest.h>

#include "record_store_test_support.h"

namespace paylog::testing {
namespace {

using FileNamesTest = DataDirTest;

TEST_F(FileNamesTest, NewNameKeepsItsSpelling) {
    EXPECT_EQ(resolveIgnoringCase(dir(), "加班.EDB"), dir() / "加班.EDB");
    EXPECT_EQ(resolveDirectoryIgnoringCase(dir(), "数据库备份"), dir() / "数据库备份");
}

TEST_F(FileNamesTest, ExistingFileIsFoundWhateverTheLetterCase) {
    writeBytes(dir() / "加班.edb", "x");
    EXPECT_EQ(resolveIgnoringCase(dir(), "加班.EDB"), dir() / "加班.edb");
    EXPECT_EQ(resolveIgnoringCase(dir(), "加班.Edb"), dir() / "加班.edb");
    EXPECT_EQ(resolveIgnoringCase(dir(), "加班.edb"), dir() / "加班.edb");
}

TEST_F(FileNamesTest, ExactSpellingWinsOverAnotherCase) {
    writeBytes(dir() / "a.EDB", "x");
    writeBytes(dir() / "a.edb", "y");
    EXPECT_EQ(resolveIgnoringCase(dir(), "a.edb"), dir() / "a.edb");
    EXPECT_EQ(resolveIgnoringCase(dir(), "a.EDB"), dir() / "a.EDB");
    // Neither spelled this way: the first in byte order, every time.
    EXPECT_EQ(resolveIgnoringCase(dir(), "A.Edb"), dir() / "a.EDB");
}

TEST_F(FileNamesTest, OnlyAsciiLettersFold) {
    // "Ａ" (full-width) is not "a"; UTF-8 continuation bytes are never letters.
    writeBytes(dir() / "Ａ.edb", "x");
    EXPECT_EQ(resolveIgnoringCase(dir(), "ａ.edb"), dir() / "ａ.edb");
    EXPECT_TRUE(sameNameIgnoringCase("Log.EDB", "log.edb"));
    EXPECT_FALSE(sameNameIgnoringCase("log.edb", "log.edc"));
    EXPECT_FALSE(sameNameIgnoringCase("log", "log."));
}

TEST_F(FileNamesTest, FilesAndDirectoriesAreNotConfused) {
    fs::create_directory(dir() / "Backup");
    writeBytes(dir() / "backup", "a file, not the folder");
    EXPECT_EQ(resolveDirectoryIgnoringCase(dir(), "BACKUP"), dir() / "Backup");
    EXPECT_EQ(resolveIgnoringCase(dir(), "BACKUP"), dir() / "backup");
}

TEST_F(FileNamesTest, EveryFolderOfARelativeNameIsMatched) {
    fs::create_directory(dir() / "数据库备份");
    fs::create_directory(dir() / "数据库备份" / "Old");
    writeBytes(dir() / "数据库备份" / "Old" / "加班备份.edb", "x");
    EXPECT_EQ(resolveIgnoringCase(dir(), "数据库备份/OLD/加班备份.EDB"),
              dir() / "数据库备份" / "Old" / "加班备份.edb");
}

TEST_F(FileNamesTest, AbsoluteNameIgnoresTheDirectory) {
    writeBytes(dir() / "Settings.INI", "x");
    const fs::path elsewhere = dir() / "elsewhere";
    EXPECT_EQ(resolveIgnoringCase(elsewhere, (dir() / "settings.ini").string()),
              dir() / "Settings.INI");
}

}  // namespace
}  // namespace paylog::testing
