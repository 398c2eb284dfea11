// Two running copies of the program recording days into one log at the same
// time: each opens the log around one operation, so they take turns; no day
// either of them was told was added may go missing, and no record may mix
// the two copies' entries.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "core/date_time.h"
#include "log/record_day.h"
#include "tests/log/overtime_log_fixture.h"

namespace paylog {
namespace {

const DateTime kFirstDay = makeDateTime(2013, 1, 1);
constexpr int kDaysPerCopy = 40;

// Copy 0 records the even days as G1 hours, copy 1 the odd days as G3
// hours; the hours tell the day apart, so a mixed record shows.
DayEntry entryOf(int copy, int n) {
    const int day = 2 * n + copy;
    return {kFirstDay + day, copy == 0 ? EntryKind::G1 : EntryKind::G3,
            Text(std::to_string(day % 12 + 1)), false};
}

TEST_F(OvertimeLogTest, TwoCopiesRecordingAtOnceLoseNothing) {
    protect(gbk("密码"));
    pid_t copies[2];
    for (int copy = 0; copy < 2; ++copy) {
        copies[copy] = fork();
        ASSERT_GE(copies[copy], 0);
        if (copies[copy] == 0) {
            RecordStore own(dir_, KdfLimits::forTests());
            for (int n = 0; n < kDaysPerCopy; ++n) {
                if (recordDay(own, gbk("密码"), entryOf(copy, n)).status != RecordDayStatus::Added)
                    _exit(10 + copy);
            }
            _exit(0);
        }
    }
    for (const pid_t copy : copies) {
        int status = 0;
        ASSERT_EQ(waitpid(copy, &status, 0), copy);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "a copy was refused a day";
    }

    std::map<DateTime, LogRecord> byDate;
    for (const LogRecord& r : records(gbk("密码"))) {
        EXPECT_TRUE(byDate.emplace(r.date, r).second) << "a day recorded twice";
    }
    ASSERT_EQ(byDate.size(), 2u * kDaysPerCopy);
    for (int copy = 0; copy < 2; ++copy) {
        for (int n = 0; n < kDaysPerCopy; ++n) {
            const int day = 2 * n + copy;
            const LogRecord& r = byDate.at(kFirstDay + day);
            EXPECT_EQ(r.g1, copy == 0 ? day % 12 + 1 : 0) << "day " << day;
            EXPECT_EQ(r.g3, copy == 1 ? day % 12 + 1 : 0) << "day " << day;
        }
    }
}

}  // namespace
}  // namespace paylog
