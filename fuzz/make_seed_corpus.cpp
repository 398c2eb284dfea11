// Writes the seed corpora of the fuzz targets: settings files and logs as the
// program's own writers make them, texts that users type and the examples the
// number and date rules are known by, and the bit patterns of awkward
// doubles. Run from the fuzz build:
//     build-fuzz/fuzz/make_seed_corpus fuzz/corpus
// Each target's folder is emptied and written afresh. Logs carry a fresh salt
// and nonce, so their bytes differ from run to run.

#include <unistd.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/settings_file.h"
#include "core/date_time.h"
#include "core/ini_file.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "core/text.h"
#include "fuzz/log_fuzz_input.h"
#include "log/log_file.h"
#include "log/overtime_log.h"
#include "log/record_day.h"
#include "log/record_store.h"

namespace paylog {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "make_seed_corpus: %s\n", what.c_str());
    std::exit(1);
}

void check(bool ok, const std::string& what) {
    if (!ok) fail(what);
}

void check(const StoreResult& r, const std::string& what) {
    if (!r) fail(what + ": " + r.detail);
}

std::string readBytes(const fs::path& file) {
    const ReadResult read = readFile(file, kMaxLogFileBytes);
    check(read.ok(), "cannot read " + file.string());
    return read.bytes;
}

class Corpus {
  public:
    Corpus(const fs::path& root, std::string_view target) : folder_(root / target) {
        std::error_code error;
        fs::remove_all(folder_, error);
        fs::create_directories(folder_, error);
        check(!error, "cannot make " + folder_.string());
    }
    void add(std::string_view name, std::string_view bytes) const {
        std::ofstream out(folder_ / name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        check(out.good(), "cannot write " + (folder_ / name).string());
    }

  private:
    fs::path folder_;
};

// A folder that goes away with the generator.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "paylog-seeds-XXXXXX").string();
        check(mkdtemp(pattern.data()) != nullptr, "cannot make a temporary folder");
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

struct NamedText {
    const char* name;
    const char* utf8;  // written as GBK
};

void addTexts(const Corpus& corpus, std::initializer_list<NamedText> texts) {
    for (const NamedText& t : texts) corpus.add(t.name, gbk(t.utf8));
}

void writeNumberTexts(const fs::path& root) {
    // Typed amounts, the reading rules' examples and the range's edges.
    addTexts(Corpus(root, "text_to_number_fuzz"),
             {{"amount", "1820"},
              {"leading-blank", " 175.6"},
              {"unit-after-number", "21.75天"},
              {"full-width-digits", "１８２０"},
              {"full-width-sign-and-point", "－１２．５"},
              {"empty", ""},
              {"letters", "abc"},
              {"thousands-comma", "1,820"},
              {"point-first", ".5"},
              {"point-last", "5."},
              {"negative", "-3"},
              {"exponent-e", "1e3"},
              {"exponent-d", "1D-3"},
              {"exponent-without-digits", "1e"},
              {"white-space-kinds", "\t\n\v\f\r 8"},
              {"largest-double", "1.7976931348623157e308"},
              {"overflow", "-1e400"},
              {"underflow", "1e-400"},
              {"smallest-subnormal", "4.9406564584124654e-324"},
              {"long-digits", "123456789012345678901234567890.123456789012345678901"},
              {"shown-non-finite", "-1.#IND"},
              {"hex-is-not-read", "0x1p3"},
              {"trailing-lead-byte", "12\x81"}});
    addTexts(Corpus(root, "text_to_int_fuzz"), {{"ten", "10"},
                                                {"remark", "早班"},
                                                {"fraction", "2.5"},
                                                {"leading-blank", " 8"},
                                                {"plus", "+7"},
                                                {"minus", "-3"},
                                                {"full-width-digit", "８"},
                                                {"largest", "2147483647"},
                                                {"wraps", "2147483648"},
                                                {"wraps-negative", "-4294967297"},
                                                {"many-digits", "99999999999999999999999"},
                                                {"exponent-not-read", "1e3"},
                                                {"empty", ""}});
}

void writeDateTexts(const fs::path& root) {
    addTexts(Corpus(root, "text_to_date_time_fuzz"),
             {{"slashes", "2013/6/23"},
              {"chinese-separators", "2013年6月23日"},
              {"full-width-digits", "２０１３年６月２３日"},
              {"full-width-hyphens", "２０１３－０６－２３"},
              {"leap-day", "2012/2/29"},
              {"no-leap-day", "2013/2/29"},
              {"digits-only", "20130623"},
              {"date-and-time", "2013-06-23 08:30"},
              {"chinese-time", "2013年6月23日8时30分"},
              {"seconds", "2013/6/23 8:30:15"},
              {"text-after-second-mark", "2013年6月23日8时30分15秒左右"},
              {"earliest", "100/1/1"},
              {"latest", "9999/12/31 23:59:59"},
              {"missing-day", "2013/6"},
              {"two-digit-year", "13/6/23"},
              {"hour-24", "2013/6/23 24:00"},
              {"text-after-day", "2013/6/23abc"},
              {"time-only", "14时5分9秒"},
              {"empty", ""}});
}

std::string numberInput(double v, int32_t places, int32_t n) {
    std::string bytes(16, '\0');
    const auto bits = std::bit_cast<uint64_t>(v);
    std::memcpy(bytes.data(), &bits, 8);
    std::memcpy(bytes.data() + 8, &places, 4);
    std::memcpy(bytes.data() + 12, &n, 4);
    return bytes;
}

void writeNumbers(const fs::path& root) {
    using L = std::numeric_limits<double>;
    const Corpus corpus(root, "number_to_text_fuzz");
    struct Seed {
        const char* name;
        double v;
        int32_t places;
        int32_t n;
    };
    const Seed seeds[] = {
        {"wage", 2520, 2, 2520},
        {"rate-third", static_cast<double>(1.0L / 3), 2, -3},
        {"rounds-up-at-half", 2.675, 2, 0},
        {"negative-half", -2.5, 0, -1},
        {"tens-place", 1234.5, -1, 10},
        {"thirteen-nines", 9.99999999999999, 13, 99},
        {"exponent-form", 1e15, -15, 1000000000},
        {"small", 0.00001234, 8, 1},
        {"negative-zero", -0.0, 0, 0},
        {"smallest-subnormal", L::denorm_min(), 400, std::numeric_limits<int32_t>::min()},
        {"largest", L::max(), -308, std::numeric_limits<int32_t>::max()},
        {"infinity", L::infinity(), 2, 0},
        {"minus-infinity", -L::infinity(), 2, 0},
        {"undefined", undefinedNumber(), 0, 0},
        {"quiet-nan", L::quiet_NaN(), 0, 0},
        {"signalling-nan", L::signaling_NaN(), 0, 0},
        {"int-edge", 2147483647.5, 0, -2147483647},
        {"huge-places", 1.5, 2147483647, 0},
    };
    for (const Seed& s : seeds) corpus.add(s.name, numberInput(s.v, s.places, s.n));
}

void writeSettingsFiles(const fs::path& root) {
    const Corpus corpus(root, "ini_file_fuzz");
    const TemporaryFolder dir;
    const fs::path file = settingsFilePath(dir.path());

    // The form's values on a first shutdown.
    SettingsToSave form;
    form.wageItems = {"1820", "200", "0",   "0",   "0", "0", "0", "175.6", "0",
                      "400",  "0",   "300", "200", "0", "0", "0", "0",     "0"};
    check(saveSettings(dir.path(), form).ok(), "cannot save the settings");
    corpus.add("settings-first-shutdown.ini", readBytes(file));

    // A month's figures, the night shift, the 2019 tax and values that need
    // quotes or hold GBK text.
    SettingsToSave month = form;
    month.wageItems[0] = "3000";
    month.wageItems[4] = "";
    month.wageItems[13] = "36.5";
    month.wageItems[16] = " 12 ";
    month.wageItems[17] = gbk("五十");
    month.nightShift = true;
    month.tax = {TaxMethod::CumulativeWithholding2019, "1500"};
    check(saveSettings(dir.path(), month).ok(), "cannot save the settings");
    corpus.add("settings-night-shift-2019.ini", readBytes(file));

    // A hand-edited file with CRLF endings, comments, a second section and a
    // duplicate key, after the program has written into it.
    std::error_code ignored;
    fs::remove(file, ignored);
    check(saveFile(file, gbk("; 手工编辑\r\n[其它]\r\na=1\r\n[工资总项目]\r\n 职务津贴 = 50 \r\n"
                             "职务津贴=60\r\n# 注释\r\n[其它]\r\nb=\"2\"\r\nno equals here\r\n"
                             "[未闭合\r\n最后一行=没有换行"))
              .ok,
          "cannot write the hand-edited settings");
    check(saveSettings(dir.path(), month).ok(), "cannot save the settings");
    corpus.add("settings-hand-edited-crlf.ini", readBytes(file));

    // Requests that set one key of their own: "section\0key\0value\0file".
    const auto request = [](std::string_view section, std::string_view key, std::string_view value,
                            std::string_view file) {
        return joinTexts({section, std::string_view("\0", 1), key, std::string_view("\0", 1), value,
                          std::string_view("\0", 1), file});
    };
    corpus.add("request-new-section", request("S", "k", "v", "[T]\nk=1\n"));
    corpus.add("request-replace-quoted", request("s", "K", " a ", "[S]\nk=\"x\"\nj=2"));
    corpus.add("request-gbk-names", request(gbk("工资总项目"), gbk("夜班"), gbk("白班"),
                                            gbk("[工资总项目]\r\n夜班=夜班\r\n")));
    corpus.add("request-gbk-second-bytes",
               request("\x81]", "\x81\x41", "\x81\x61", "[\x81]]\n\x81\x61=1\n"));
    corpus.add("request-refused-key", request("S", "[k", "v", "[S]\n"));
    corpus.add("request-refused-value", request("S", "k", "a\nb", "[S]\nk=1\n"));
    corpus.add("request-missing-file", request("S", "k", "\"q\"", ""));
}

void recordDays(RecordStore& store, std::string_view password) {
    struct Day {
        int32_t month, day;
        std::optional<EntryKind> kind;
        const char* comboText;  // UTF-8; a remark longer than 20 bytes is cut
        bool night;
    };
    const Day days[] = {
        {6, 3, EntryKind::G1, "2", true},
        {6, 8, EntryKind::G2, "10", false},
        {6, 12, EntryKind::G3, "8", false},
        {6, 13, EntryKind::PersonalLeave, "4", false},
        {6, 14, EntryKind::SickLeave, "8", false},
        {6, 17, EntryKind::Absence, "2", false},
        {6, 18, EntryKind::G1, "早班", true},
        {6, 23, std::nullopt, "休息", false},
        {6, 24, EntryKind::G1, "补班", false},
        {7, 1, EntryKind::G1, "a调休半天，加班费另算", true},
    };
    for (const Day& d : days) {
        const DayEntry entry{makeDateTime(2013, d.month, d.day), d.kind, gbk(d.comboText), d.night};
        check(recordDay(store, password, entry).status == RecordDayStatus::Added,
              "cannot record a day");
    }
}

// A log as the program leaves it, and its database image.
struct MadeLog {
    std::string file;
    std::string image;
};

MadeLog makeLog(std::string_view password, bool withRecords) {
    const TemporaryFolder dir;
    RecordStore store(dir.path(), KdfLimits::forTests());
    check(createLog(store), "cannot create the log");
    if (!password.empty()) {
        check(store.openTable(logTableName(), ""), "cannot open the log");
        check(store.setTablePassword(password), "cannot protect the log");
        store.closeTable();
    }
    if (withRecords) recordDays(store, password);
    MadeLog made;
    made.file = readBytes(store.tablePath(logTableName()));
    const DecodedLog decoded = decodeLogFile(made.file, password);
    check(decoded.result, "cannot read the log back");
    made.image = decoded.image;
    return made;
}

// A table of every field kind at its limits, through the same store.
MadeLog makeOddTable() {
    const TemporaryFolder dir;
    RecordStore store(dir.path(), KdfLimits::forTests());
    const std::vector<FieldInfo> fields = {
        {"When", FieldKind::DateTime},
        {"n", FieldKind::Integer},
        {gbk("长备注"), FieldKind::Text, 1024},
        {"Aa", FieldKind::Text, 1},
    };
    check(store.createTable("odd", fields), "cannot create the odd table");
    check(store.openTable("odd", ""), "cannot open the odd table");
    const std::vector<std::vector<std::optional<FieldValue>>> records = {
        {kMinDateTime, std::numeric_limits<int32_t>::min(), Text(1024, '\xB0'), Text("x")},
        {kMaxDateTime + 0.999988, std::numeric_limits<int32_t>::max(), gbk("备注"), Text()},
        {-1.25, int32_t{-1}},
        {},
    };
    for (const auto& r : records) check(store.addRecord(r), "cannot add a record");
    store.closeTable();
    MadeLog made;
    made.file = readBytes(store.tablePath("odd"));
    made.image = decodeLogFile(made.file, "").image;
    return made;
}

void writeLogs(const fs::path& root) {
    const Corpus corpus(root, "log_file_fuzz");
    const auto asFile = [](const std::string& bytes) { return std::string(1, '\0') + bytes; };
    const auto asImage = [](const std::string& image, bool sealed) {
        const char mode = static_cast<char>(kImageInputBit | (sealed ? kSealedInputBit : 0));
        return std::string(1, mode) + image;
    };
    const Text& password = fuzzLogPassword();
    const MadeLog empty = makeLog("", false);
    const MadeLog emptyProtected = makeLog(password, false);
    const MadeLog records = makeLog("", true);
    const MadeLog recordsProtected = makeLog(password, true);
    const MadeLog otherPassword = makeLog(gbk("别的密码"), true);
    const MadeLog odd = makeOddTable();

    corpus.add("file-empty-log", asFile(empty.file));
    corpus.add("file-empty-protected-log", asFile(emptyProtected.file));
    corpus.add("file-log-with-records", asFile(records.file));
    corpus.add("file-protected-log-with-records", asFile(recordsProtected.file));
    corpus.add("file-log-of-another-password", asFile(otherPassword.file));
    corpus.add("file-odd-fields", asFile(odd.file));
    corpus.add("file-foreign", asFile("SQLite format 3"));
    corpus.add("file-cut-short", asFile(records.file.substr(0, 100)));

    corpus.add("image-empty-log", asImage(empty.image, false));
    corpus.add("image-log-with-records", asImage(records.image, false));
    corpus.add("image-log-with-records-sealed", asImage(records.image, true));
    corpus.add("image-odd-fields", asImage(odd.image, false));
}

}  // namespace
}  // namespace paylog

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER (fuzz/corpus)\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    paylog::writeNumberTexts(root);
    paylog::writeDateTexts(root);
    paylog::writeNumbers(root);
    paylog::writeSettingsFiles(root);
    paylog::writeLogs(root);
    return 0;
}
