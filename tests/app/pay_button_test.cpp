// The pay button reads the edit boxes of both pages and writes the result
// labels; reference texts are the worked examples of the pay rules.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>
#include <vector>

#include "app/qt_text.h"
#include "window_fixture.h"

namespace paylog {
namespace {

using NamedTexts = std::vector<std::pair<const char*, const char*>>;

// Every box at its form default, nothing logged.
const NamedTexts kDefaultFigures{
    {"标签个人所得税代扣", "个人所得税代扣:0元"},
    {"标签G1工资", "G1工资：0元"},
    {"标签G2工资", "G2工资：0元"},
    {"标签G3工资", "G3工资：0元"},
    {"标签加班费总和", "加班费总和：0元"},
    {"标签事假减项", "事假减项：0元"},
    {"标签病假减项", "病假减项：0元"},
    {"标签旷工减项", "旷工减项：0元"},
    {"标签正常班时薪", "时薪：11.61元"},
    {"标签正常8小时薪资", "8小时日薪：92.88元"},
    {"标签正常10小时薪资", "10小时日薪：127.71元"},
    {"标签应发工资", "应发工资：2520元"},
    {"标签实发工资", "实发工资：1944.4元"},
    {"标签G1时薪", "G1时薪：17.42元"},
    {"标签G2时薪", "G2时薪：23.22元"},
    {"标签G3时薪", "节假日时薪：34.83元"},
    {"标签周六日8小时薪资", "周六日8小时薪资：185.76元"},
    {"标签周六日10小时薪资", "周六日10小时薪资：232.2元"},
    {"标签节假日8小时薪资", "节假日8小时薪资：278.64元"},
    {"标签节假日10小时薪资", "节假日10小时薪资：348.3元"},
    {"标签正常工作日每分钟薪资", "正常工作日每分种薪资:0.1935元"},
    {"标签周六日每分钟薪资", "周六日每分种薪资:0.387元"},
    {"标签节假日每分钟薪资", "节假日每分种薪资:0.5805元"},
    {"标签正常工作日每秒钟薪资", "正常工作日每秒种薪资:0.003225元"},
    {"标签周六日每秒钟薪资", "周六日每秒种薪资:0.00645元"},
    {"标签节假日每秒钟薪资", "节假日每秒种薪资:0.009675元"},
};

class PayButtonTest : public WindowTest {
  protected:
    // Byte for byte, as the program holds texts.
    void expectLabels(const NamedTexts& expected) const {
        for (const auto& [name, text] : expected)
            EXPECT_EQ(toText(control<QLabel>(name).text()), gbk(text)) << name;
    }
};

TEST_F(PayButtonTest, FirstViewAlreadyShowsTheDefaultFigures) { expectLabels(kDefaultFigures); }

TEST_F(PayButtonTest, ClickRewritesEveryResultLabel) {
    for (const auto& [name, text] : kDefaultFigures) control<QLabel>(name).clear();
    QTest::mouseClick(&control<QPushButton>("按钮结果输出"), Qt::LeftButton);
    expectLabels(kDefaultFigures);
}

struct PayScenario {
    const char* name;
    NamedTexts boxes;     // edit boxes changed from their defaults
    NamedTexts expected;  // labels that show the change
};

void PrintTo(const PayScenario& s, std::ostream* os) { *os << s.name; }

class PayScenarioTest : public PayButtonTest, public ::testing::WithParamInterface<PayScenario> {};

TEST_P(PayScenarioTest, ClickShowsTheFiguresOfTheTypedItems) {
    for (const auto& [name, text] : GetParam().boxes)
        control<QLineEdit>(name).setText(QString::fromUtf8(text));
    QTest::mouseClick(&control<QPushButton>("按钮结果输出"), Qt::LeftButton);
    expectLabels(GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PayScenarioTest,
    ::testing::Values(
        PayScenario{"OvertimeLeaveAndTax",
                    {{"编辑框正常工作时间工资", "3000"},
                     {"编辑框1加班小时数", "20"},
                     {"编辑框2加班小时数", "16"},
                     {"编辑框3加班小时数", "8"},
                     {"编辑框事假时数", "4"},
                     {"编辑框病假时数", "8"},
                     {"编辑框旷工时数", "2"},
                     {"编辑框夜班津贴", "45"},
                     {"编辑框住房公积金代扣", "120"}},
                    {{"标签正常班时薪", "时薪：18.39元"},
                     {"标签G1工资", "G1工资：551.7元"},
                     {"标签G2工资", "G2工资：588.48元"},
                     {"标签G3工资", "G3工资：441.36元"},
                     {"标签加班费总和", "加班费总和：1581.54元"},
                     {"标签事假减项", "事假减项：73.56元"},
                     {"标签病假减项", "病假减项：102.984元"},
                     {"标签旷工减项", "旷工减项：36.78元"},
                     {"标签正常10小时薪资", "10小时日薪：202.29元"},
                     {"标签应发工资", "应发工资：5113.216元"},
                     {"标签个人所得税代扣", "个人所得税代扣:39.53元"},
                     {"标签实发工资", "实发工资：4378.086元"},
                     {"标签G1时薪", "G1时薪：27.59元"},
                     {"标签正常工作日每秒钟薪资", "正常工作日每秒种薪资:0.005108333333333元"},
                     {"标签周六日每秒钟薪资", "周六日每秒种薪资:0.01021666666667元"}}},
        // The working days live on the settings page.
        PayScenario{"ZeroWorkingDaysFromTheSettingsPage",
                    {{"编辑框正常工作天数", "0"}},
                    {{"标签正常班时薪", "时薪：1.#INF元"},
                     {"标签G1工资", "G1工资：-1.#IND元"},
                     {"标签应发工资", "应发工资：-1.#IND元"},
                     {"标签个人所得税代扣", "个人所得税代扣:0元"}}},
        PayScenario{"OtherDeductionsAndAdditionsMoveOnlyTheNetPay",
                    {{"编辑框其它减项", "100"}, {"编辑框其它加项", "50.5"}},
                    {{"标签应发工资", "应发工资：2520元"},
                     {"标签个人所得税代扣", "个人所得税代扣:0元"},
                     {"标签实发工资", "实发工资：1894.9元"}}},
        PayScenario{"EmptyOtherAdditionsCountAsZero",
                    {{"编辑框其它加项", ""}},
                    {{"标签实发工资", "实发工资：1944.4元"}}}),
    [](const ::testing::TestParamInfo<PayScenario>& info) { return info.param.name; });

}  // namespace
}  // namespace paylog
