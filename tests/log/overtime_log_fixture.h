#pragma once
// A fresh data directory with an empty, unprotected overtime log for every
// test, and plain records to fill and read it with.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/date_time.h"
#include "core/text.h"
#include "log/overtime_log.h"
#include "log/record_store.h"

namespace paylog {

// One record of the log, field by field.
struct LogRecord {
    DateTime date = 0;
    int32_t g1 = 0, g2 = 0, g3 = 0, personalLeave = 0, sickLeave = 0;
    Text remark, weekday;
    int32_t nightShift = 0, absence = 0;
    bool operator==(const LogRecord&) const = default;
};

inline void PrintTo(const LogRecord& r, std::ostream* os) {
    *os << "{" << utf8(dateTimeToText(r.date)) << ", G1 " << r.g1 << ", G2 " << r.g2 << ", G3 "
        << r.g3 << ", 事假 " << r.personalLeave << ", 病假 " << r.sickLeave << ", 备注 \""
        << utf8(r.remark) << "\", 星期 \"" << utf8(r.weekday) << "\", 夜班 " << r.nightShift
        << ", 旷工 " << r.absence << "}";
}

// Rows of the case tables print as their names in failure messages (test
// files bring this into their own namespace with a using-declaration).
template <class Case>
requires requires(const Case& c) { std::string_view(c.name); }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

inline std::vector<uint8_t> fileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class OvertimeLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "paylog-logops-XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        store_ = std::make_unique<RecordStore>(dir_, KdfLimits::forTests());
        ASSERT_TRUE(createLog(*store_).ok());
    }
    void TearDown() override {
        store_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    RecordStore& store() { return *store_; }
    std::filesystem::path logPath() const { return store_->tablePath(logTableName()); }

    void protect(std::string_view password) {
        ASSERT_TRUE(store_->openTable(logTableName(), "").ok());
        ASSERT_TRUE(store_->setTablePassword(password).ok());
        store_->closeTable();
    }

    void append(const std::vector<LogRecord>& records, std::string_view password = "") {
        ASSERT_TRUE(store_->openTable(logTableName(), password).ok());
        for (const LogRecord& r : records) {
            ASSERT_TRUE(store_
                            ->addRecord({r.date, r.g1, r.g2, r.g3, r.personalLeave, r.sickLeave,
                                         r.remark, r.weekday, r.nightShift, r.absence})
                            .ok());
        }
        store_->closeTable();
    }

    std::vector<LogRecord> records(std::string_view password = "") {
        std::vector<LogRecord> all;
        const StoreResult opened = store_->openTable(logTableName(), password, true);
        EXPECT_TRUE(opened.ok()) << opened.detail;
        if (!opened) return all;
        for (int32_t i = store_->recordCount(); i > 0; --i) {
            LogRecord r;
            r.date = store_->readDate(fieldName(LogField::Date));
            r.g1 = store_->readInt(fieldName(LogField::G1));
            r.g2 = store_->readInt(fieldName(LogField::G2));
            r.g3 = store_->readInt(fieldName(LogField::G3));
            r.personalLeave = store_->readInt(fieldName(LogField::PersonalLeave));
            r.sickLeave = store_->readInt(fieldName(LogField::SickLeave));
            r.remark = store_->readText(fieldName(LogField::Remark));
            r.weekday = store_->readText(fieldName(LogField::Weekday));
            r.nightShift = store_->readInt(fieldName(LogField::NightShift));
            r.absence = store_->readInt(fieldName(LogField::Absence));
            all.push_back(r);
            store_->skipRecord();
        }
        store_->closeTable();
        return all;
    }

    std::filesystem::path dir_;
    std::unique_ptr<RecordStore> store_;
};

// The log file flipped in one byte of its middle: damaged, not merely locked.
class DamagedLogTest : public OvertimeLogTest {
  protected:
    void SetUp() override {
        OvertimeLogTest::SetUp();
        LogRecord r;
        r.date = makeDateTime(2013, 6, 23);
        r.g2 = 10;
        append({r});
        std::vector<uint8_t> bytes = fileBytes(logPath());
        ASSERT_GT(bytes.size(), 64u);
        bytes[bytes.size() / 2] ^= 0x5a;
        std::ofstream(logPath(), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        damaged_ = fileBytes(logPath());
    }
    std::vector<uint8_t> damaged_;
};

// The log file deleted while the program runs.
class RemovedLogTest : public OvertimeLogTest {
  protected:
    void SetUp() override {
        OvertimeLogTest::SetUp();
        std::filesystem::remove(logPath());
    }
};

}  // namespace paylog
