#pragma once
// Shared pieces of the record store tests: a fresh data directory per test,
// the overtime log's field list and small file helpers.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "core/text.h"
#include "log/record_store.h"

namespace paylog::testing {

namespace fs = std::filesystem;

// The overtime log's ten fields, in their order.
inline std::vector<FieldInfo> logFields() {
    return {
        {gbk("日期"), FieldKind::DateTime}, {gbk("G1"), FieldKind::Integer},
        {gbk("G2"), FieldKind::Integer},    {gbk("G3"), FieldKind::Integer},
        {gbk("事假"), FieldKind::Integer},  {gbk("病假"), FieldKind::Integer},
        {gbk("备注"), FieldKind::Text, 20}, {gbk("星期"), FieldKind::Text, 6},
        {gbk("夜班"), FieldKind::Integer},  {gbk("旷工"), FieldKind::Integer},
    };
}

using Values = std::vector<std::optional<FieldValue>>;

// A day's entry of the log: a date, G1 hours and a remark.
inline Values entry(DateTime date, int32_t g1, const Text& remark = {}) {
    return {date,       g1,     int32_t{0}, int32_t{0}, int32_t{0},
            int32_t{0}, remark, Text{},     int32_t{0}, int32_t{0}};
}

inline std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A new file each time: ext4 flushes a file that is truncated and written
// again, which would make the loops over damaged files crawl.
inline void writeBytes(const fs::path& file, const std::string& bytes) {
    std::error_code ignored;
    fs::remove(file, ignored);
    std::ofstream(file, std::ios::binary) << bytes;
}

// Names in a directory, to see that no temporary file was left behind.
inline std::vector<std::string> entriesOf(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh, empty data directory for each test, removed afterwards.
class DataDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "paylog-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    const fs::path& dir() const { return dir_; }
    fs::path logPath() const { return dir_ / utf8(gbk("加班.EDB")); }

    // A log named "加班" with the given entries, under `password`.
    void makeLog(RecordStore& store, const std::vector<Values>& entries,
                 const Text& password = {}) {
        ASSERT_TRUE(store.createTable(gbk("加班"), logFields()));
        ASSERT_TRUE(store.openTable(gbk("加班"), ""));
        for (const Values& values : entries) ASSERT_TRUE(store.addRecord(values));
        if (!password.empty()) {
            ASSERT_TRUE(store.setTablePassword(password));
        }
        store.closeTable();
    }

  private:
    fs::path dir_;
};

// A data directory with a store on it, at the low key-derivation cost.
class StoreTest : public DataDirTest {
  protected:
    void SetUp() override {
        DataDirTest::SetUp();
        store_ = std::make_unique<RecordStore>(dir(), KdfLimits::forTests());
    }
    void TearDown() override {
        store_.reset();
        DataDirTest::TearDown();
    }
    RecordStore& store() { return *store_; }

  private:
    std::unique_ptr<RecordStore> store_;
};

// A small tmpfs of its own, so a test can fill it up or make it read-only.
// Mounting needs root (CAP_SYS_ADMIN); where it is refused the test is
// skipped with a message saying so.
class SmallDiskTest : public DataDirTest {
  protected:
    void SetUp() override {
        DataDirTest::SetUp();
        if (::mount("tmpfs", dir().c_str(), "tmpfs", 0, "size=256k,mode=0700") != 0) {
            GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                         << "); run the tests as root to check full and read-only disks";
        }
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2(dir().c_str(), MNT_DETACH);
        DataDirTest::TearDown();
    }

    // Takes every free byte of the disk.
    void fillDisk() {
        std::ofstream filler(dir() / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size())) filler.flush();
    }
    void freeDisk() { fs::remove(dir() / "filler"); }

    // The same disk, now refusing every write.
    void makeReadOnly() {
        ASSERT_EQ(::mount(nullptr, dir().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
    }

  private:
    bool mounted_ = false;
};

}  // namespace paylog::testing
