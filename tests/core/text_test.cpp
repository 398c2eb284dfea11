#include "core/text.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace paylog {
namespace {

// GBK bytes written out, so that the expectations do not depend on the
// conversion under test.
const std::string kXingQiRi = "\xD0\xC7\xC6\xDA\xC8\xD5";  // 星期日
const std::string kXing = "\xD0\xC7";                      // 星

TEST(GbkConversion, ChineseBecomesItsGbkBytes) {
    EXPECT_EQ(gbk("星期日"), kXingQiRi);
    EXPECT_EQ(gbk("a1 "), "a1 ");
    EXPECT_EQ(gbk(""), "");
}

TEST(GbkConversion, ProgramTextsSurviveTheRoundTrip) {
    // Punctuation and symbols where GBK tables are known to disagree.
    for (const char* text :
         {"加班记录添加成功！", "信息：", "元旦 ", "配置项目.ini", "～☆★　１．－", "确认输入(&O)",
          "数据库备份", "星期六", "年月日时分秒", "·—…、《》€"}) {
        SCOPED_TRACE(text);
        const Text bytes = gbk(text);
        EXPECT_EQ(bytes.find('?'), Text::npos);
        EXPECT_EQ(utf8(bytes), text);
    }
}

TEST(GbkConversion, SymbolsNormalisationReliesOnHaveTheirCodes) {
    EXPECT_EQ(gbk("～"), "\xA1\xAB");
    EXPECT_EQ(gbk("☆★"), "\xA1\xEE\xA1\xEF");
    EXPECT_EQ(gbk("　"), "\xA1\xA1");
    EXPECT_EQ(gbk("１"), "\xA3\xB1");
}

TEST(GbkConversion, UnconvertibleCharactersBecomeQuestionMarks) {
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const Case toGbk[] = {
        {"emoji between letters",
         "a\xF0\x9F\x98\x80"
         "b",
         "a?b"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"character cut off at the end", "a\xE6\x98", "a?"},
    };
    for (const Case& c : toGbk) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbk(c.in), c.out);
    }
    const Case toUtf8[] = {
        {"lead byte before a digit keeps the digit",
         "\x81"
         "1",
         "?1"},
        {"unassigned pair is one character",
         "\xA2\xA0"
         "b",
         "?b"},
        {"lead byte at the end", "a\xD0", "a?"},
        {"byte that starts nothing",
         "\xFF"
         "b",
         "?b"},
    };
    for (const Case& c : toUtf8) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8(c.in), c.out);
    }
}

TEST(GbkConversion, ThreadsConvertIndependently) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int& failed : failures) {
        threads.emplace_back([&failed] {
            for (int i = 0; i < 2000; ++i) {
                if (gbk("星期日") != kXingQiRi || utf8(kXingQiRi) != "星期日") ++failed;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

TEST(NormaliseFullWidth, Table) {
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"full-width digits", gbk("１２３"), "123"},
        {"full-width point minus plus", gbk("．－＋"), ".-+"},
        {"full-width letters and tilde", gbk("ａＺ～"), "aZ~"},
        {"ideographic space", gbk("　"), " "},
        {"wave dash", gbk("～"), "~"},
        {"stars", gbk("☆★"), "**"},
        {"other Chinese stays", kXingQiRi, kXingQiRi},
        {"ascii stays", "a b\t1", "a b\t1"},
        {"final lead byte dropped", "12\xD0", "12"},
        {"trail byte equal to a lead byte is not a lead",
         "\xA3\xA3"
         "1",
         "#1"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(normaliseFullWidth(c.in), c.out);
    }
}

TEST(TextCuts, CountBytes) {
    EXPECT_EQ(textLength(kXingQiRi), 6);
    EXPECT_EQ(textLength(""), 0);
    struct Case {
        const char* name;
        Text (*cut)(std::string_view, int32_t);
        std::string in;
        int32_t n;
        std::string out;
    };
    const Case cases[] = {
        {"left of a Chinese text", textLeft, kXingQiRi, 2, kXing},
        {"left cuts inside a character", textLeft, kXingQiRi, 1, "\xD0"},
        {"right two", textRight, "2013", 2, "13"},
        {"left zero", textLeft, "abc", 0, ""},
        {"left negative", textLeft, "abc", -1, ""},
        {"right negative", textRight, "abc", -5, ""},
        {"right beyond length", textRight, "abc", 9, "abc"},
        {"left beyond length", textLeft, "abc", 3, "abc"},
        {"right of empty", textRight, "", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.cut(c.in, c.n), c.out);
    }
}

TEST(JoinTexts, PutsPartsSideBySide) {
    EXPECT_EQ(joinTexts({"2013", kXing, "", "6"}), "2013" + kXing + "6");
    EXPECT_EQ(joinTexts({}), "");
}

TEST(CompareText, Table) {
    struct Case {
        const char* name;
        std::string a, b;
        int sign;
    };
    const Case cases[] = {
        {"equal", "abc", "abc", 0},
        {"both empty", "", "", 0},
        {"prefix is smaller", "ab", "abc", -1},
        {"longer is larger", "abc", "ab", 1},
        {"first difference decides", "abz", "aca", -1},
        {"high bytes are above ascii", kXing, "z", 1},
        {"high bytes compare unsigned", "\x81", "\xFE", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int result = compareText(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
    }
}

TEST(SplitText, Table) {
    using Pieces = std::vector<Text>;
    const std::string kComma = gbk("，");
    // "丂" is 0x81 0x40: its second byte is "@".
    const std::string kTrailAt = "\x81\x40";
    struct Case {
        const char* name;
        std::string t, sep;
        int32_t maxCount;
        Pieces out;
    };
    const Case cases[] = {
        {"empty text", "", " ", kNoPieceLimit, {}},
        {"leading separator", " a", " ", kNoPieceLimit, {"", "a"}},
        {"default separator", "a,b", ",", kNoPieceLimit, {"a", "b"}},
        {"doubled separator gives an empty piece",
         "a b  c",
         " ",
         kNoPieceLimit,
         {"a", "b", "", "c"}},
        {"trailing separator adds nothing", "a b ", " ", kNoPieceLimit, {"a", "b"}},
        {"separator alone", " ", " ", kNoPieceLimit, {""}},
        {"no separator", "abc", ",", kNoPieceLimit, {"abc"}},
        {"empty separator", "a,b", "", kNoPieceLimit, {"a,b"}},
        {"separator longer than text", "ab", "abc", kNoPieceLimit, {"ab"}},
        {"several bytes of separator", "a||b||", "||", kNoPieceLimit, {"a", "b"}},
        {"Chinese separator", "a" + kComma + "b", kComma, kNoPieceLimit, {"a", "b"}},
        {"separator never matched inside a character",
         "x" + kTrailAt + "@y",
         "@",
         kNoPieceLimit,
         {"x" + kTrailAt, "y"}},
        {"maximum stops the scan", "a,b,c", ",", 2, {"a", "b"}},
        {"maximum equal to the count", "a,b,c", ",", 3, {"a", "b", "c"}},
        {"maximum one", "a,b", ",", 1, {"a"}},
        {"maximum zero", "a,b", ",", 0, {}},
        {"negative maximum counts as zero", "a,b", ",", -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitText(c.t, c.sep, c.maxCount), c.out);
    }
    EXPECT_EQ(splitText("a,b"), (Pieces{"a", "b"}));
}

}  // namespace
}  // namespace paylog
