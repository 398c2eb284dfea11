#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text.h"
#include "pay/pay.h"

namespace paylog {
namespace {

using Overrides = std::vector<std::pair<PayInput, std::string_view>>;  // UTF-8 box texts

// The edit boxes as the form first shows them.
PayInputs formDefaults() {
    PayInputs in;
    const std::array<std::string_view, kPayInputCount> defaults{
        "1820", "200", "0",   "0",   "21.75", "0",     "0",   "0", "0", "0", "0.7",
        "0",    "0",   "200", "300", "0",     "175.6", "400", "0", "0", "0"};
    for (int i = 0; i < kPayInputCount; ++i) in[i] = gbk(defaults[i]);
    return in;
}

PayInputs defaultsWith(const Overrides& overrides) {
    PayInputs in = formDefaults();
    for (const auto& [box, text] : overrides) in[box] = gbk(text);
    return in;
}

// The label's text in UTF-8, found by its control name.
std::string labelOf(const PayResult& r, std::string_view control) {
    for (const PayLabel& label : r.labels) {
        if (label.control == control) return utf8(label.text);
    }
    ADD_FAILURE() << "no label " << control;
    return {};
}

TEST(PayInputBoxes, NameTheBoxOfEachInput) {
    EXPECT_EQ(kPayInputBoxes[kNormalWage], "编辑框正常工作时间工资");
    EXPECT_EQ(kPayInputBoxes[kWorkingDays], "编辑框正常工作天数");
    EXPECT_EQ(kPayInputBoxes[kSickLeaveFactor], "编辑框病假工资比例");
    EXPECT_EQ(kPayInputBoxes[kSocialInsurance], "编辑框社保代扣");
    EXPECT_EQ(kPayInputBoxes[kOtherAdditions], "编辑框其它加项");
}

TEST(PayLabels, AreWrittenTaxFirstThenInTableOrder) {
    const std::array<std::string_view, kPayLabelCount> order{
        "标签个人所得税代扣",   "标签G1工资",           "标签G2工资",
        "标签G3工资",           "标签加班费总和",       "标签事假减项",
        "标签病假减项",         "标签旷工减项",         "标签正常班时薪",
        "标签正常8小时薪资",    "标签正常10小时薪资",   "标签应发工资",
        "标签实发工资",         "标签G1时薪",           "标签G2时薪",
        "标签G3时薪",           "标签周六日8小时薪资",  "标签周六日10小时薪资",
        "标签节假日8小时薪资",  "标签节假日10小时薪资", "标签正常工作日每分钟薪资",
        "标签周六日每分钟薪资", "标签节假日每分钟薪资", "标签正常工作日每秒钟薪资",
        "标签周六日每秒钟薪资", "标签节假日每秒钟薪资"};
    const PayResult r = computePayFigures(formDefaults());
    for (int i = 0; i < kPayLabelCount; ++i) EXPECT_EQ(r.labels[i].control, order[i]) << i;
}

struct WorkedExample {
    std::string name;
    Overrides overrides;
    std::array<std::string_view, kPayLabelCount> labels;  // UTF-8, in written order
};

class PayWorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(PayWorkedExamples, WriteEveryLabelToTheByte) {
    const WorkedExample& c = GetParam();
    const PayResult r = computePayFigures(defaultsWith(c.overrides));
    for (int i = 0; i < kPayLabelCount; ++i) {
        EXPECT_EQ(r.labels[i].text, gbk(c.labels[i]))
            << r.labels[i].control << " shows " << utf8(r.labels[i].text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Calculator, PayWorkedExamples,
    testing::Values(
        // Base 2020; 2020 / 21.75 / 8 = 11.6091... rounds to 11.61, G1 rate 17.415.
        WorkedExample{"FormDefaults",
                      {},
                      {"个人所得税代扣:0元",
                       "G1工资：0元",
                       "G2工资：0元",
                       "G3工资：0元",
                       "加班费总和：0元",
                       "事假减项：0元",
                       "病假减项：0元",
                       "旷工减项：0元",
                       "时薪：11.61元",
                       "8小时日薪：92.88元",
                       "10小时日薪：127.71元",
                       "应发工资：2520元",
                       "实发工资：1944.4元",
                       "G1时薪：17.42元",
                       "G2时薪：23.22元",
                       "节假日时薪：34.83元",
                       "周六日8小时薪资：185.76元",
                       "周六日10小时薪资：232.2元",
                       "节假日8小时薪资：278.64元",
                       "节假日10小时薪资：348.3元",
                       "正常工作日每分种薪资:0.1935元",
                       "周六日每分种薪资:0.387元",
                       "节假日每分种薪资:0.5805元",
                       "正常工作日每秒种薪资:0.003225元",
                       "周六日每秒种薪资:0.00645元",
                       "节假日每秒种薪资:0.009675元"}},
        // Base 3200; hourly 18.39, G1 27.585, G2 36.78, G3 55.17; taxable 1317.616 at 3%.
        WorkedExample{"OvertimeLeaveAndHousingFund",
                      {{kNormalWage, "3000"},
                       {kG1Hours, "20"},
                       {kG2Hours, "16"},
                       {kG3Hours, "8"},
                       {kPersonalLeaveHours, "4"},
                       {kSickLeaveHours, "8"},
                       {kAbsenceHours, "2"},
                       {kNightAllowance, "45"},
                       {kHousingFund, "120"}},
                      {"个人所得税代扣:39.53元",
                       "G1工资：551.7元",
                       "G2工资：588.48元",
                       "G3工资：441.36元",
                       "加班费总和：1581.54元",
                       "事假减项：73.56元",
                       "病假减项：102.984元",
                       "旷工减项：36.78元",
                       "时薪：18.39元",
                       "8小时日薪：147.12元",
                       "10小时日薪：202.29元",
                       "应发工资：5113.216元",
                       "实发工资：4378.086元",
                       "G1时薪：27.59元",
                       "G2时薪：36.78元",
                       "节假日时薪：55.17元",
                       "周六日8小时薪资：294.24元",
                       "周六日10小时薪资：367.8元",
                       "节假日8小时薪资：441.36元",
                       "节假日10小时薪资：551.7元",
                       "正常工作日每分种薪资:0.3065元",
                       "周六日每分种薪资:0.613元",
                       "节假日每分种薪资:0.9195元",
                       "正常工作日每秒种薪资:0.005108333333333元",
                       "周六日每秒种薪资:0.01021666666667元",
                       "节假日每秒种薪资:0.015325元"}}),
    [](const testing::TestParamInfo<WorkedExample>& info) { return info.param.name; });

TEST(PayModuleValues, HoldTheRunsFigures) {
    const PayResult r = computePayFigures(defaultsWith({{kG1Hours, "10"}, {kG3Hours, "2"}}));
    EXPECT_EQ(r.values.baseWage, 2020);
    EXPECT_EQ(r.values.hourlyRate, 11.61);
    EXPECT_DOUBLE_EQ(r.values.g1Pay, 174.15);
    EXPECT_EQ(r.values.g2Pay, 0);
    EXPECT_DOUBLE_EQ(r.values.g3Pay, 69.66);
    EXPECT_DOUBLE_EQ(r.values.overtimePayTotal, 243.81);
    EXPECT_DOUBLE_EQ(r.values.grossPay, 2763.81);
}

struct UnreadableDaysCase {
    std::string name;
    Overrides overrides;
    std::vector<std::pair<std::string_view, std::string_view>> labels;  // control, UTF-8 text
};

class PayWithoutWorkingDays : public testing::TestWithParam<UnreadableDaysCase> {};

// An hour count of 0 times an infinite rate is undefined, and an undefined
// gross pays no tax.
TEST_P(PayWithoutWorkingDays, ShowsInfiniteRatesAndUndefinedAmounts) {
    const UnreadableDaysCase& c = GetParam();
    const PayResult r = computePayFigures(defaultsWith(c.overrides));
    for (const auto& [control, text] : c.labels) EXPECT_EQ(labelOf(r, control), text) << control;
}

const std::vector<std::pair<std::string_view, std::string_view>> kInfiniteRateLabels{
    {"标签正常班时薪", "时薪：1.#INF元"},
    {"标签G1工资", "G1工资：-1.#IND元"},
    {"标签应发工资", "应发工资：-1.#IND元"},
    {"标签个人所得税代扣", "个人所得税代扣:0元"},
    {"标签实发工资", "实发工资：-1.#IND元"},
    {"标签G1时薪", "G1时薪：1.#INF元"},
    {"标签正常10小时薪资", "10小时日薪：1.#INF元"},
    {"标签节假日每秒钟薪资", "节假日每秒种薪资:1.#INF元"},
};

INSTANTIATE_TEST_SUITE_P(
    Calculator, PayWithoutWorkingDays,
    testing::Values(
        UnreadableDaysCase{"ZeroDays", {{kWorkingDays, "0"}}, kInfiniteRateLabels},
        UnreadableDaysCase{"EmptyDaysBox", {{kWorkingDays, ""}}, kInfiniteRateLabels},
        UnreadableDaysCase{"DaysNotANumber", {{kWorkingDays, "天"}}, kInfiniteRateLabels},
        // 0 / 0: the rate itself is undefined.
        UnreadableDaysCase{"ZeroDaysAndZeroBase",
                           {{kWorkingDays, "0"}, {kNormalWage, "0"}, {kPostAllowance, "0"}},
                           {{"标签正常班时薪", "时薪：-1.#IND元"},
                            {"标签应发工资", "应发工资：-1.#IND元"},
                            {"标签个人所得税代扣", "个人所得税代扣:0元"}}}),
    [](const testing::TestParamInfo<UnreadableDaysCase>& info) { return info.param.name; });

struct NetOnlyCase {
    std::string name;
    PayInput box;
    std::string_view text;
    std::string_view netPay;
};

class PayItemsOutsideTheTax : public testing::TestWithParam<NetOnlyCase> {};

TEST_P(PayItemsOutsideTheTax, ChangeOnlyTheNetPay) {
    const NetOnlyCase& c = GetParam();
    const PayResult before = computePayFigures(formDefaults());
    const PayResult after = computePayFigures(defaultsWith({{c.box, c.text}}));
    for (int i = 0; i < kPayLabelCount; ++i) {
        if (after.labels[i].control == "标签实发工资") {
            EXPECT_EQ(utf8(after.labels[i].text), c.netPay);
        } else {
            EXPECT_EQ(after.labels[i].text, before.labels[i].text) << after.labels[i].control;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Calculator, PayItemsOutsideTheTax,
    testing::Values(NetOnlyCase{"Meals", kMeals, "500", "实发工资：1844.4元"},
                    NetOnlyCase{"Lodging", kLodging, "50", "实发工资：1894.4元"},
                    NetOnlyCase{"OtherDeductions", kOtherDeductions, "44.4", "实发工资：1900元"},
                    NetOnlyCase{"OtherAdditions", kOtherAdditions, "55.6", "实发工资：2000元"},
                    NetOnlyCase{"EmptyOtherAdditions", kOtherAdditions, "", "实发工资：1944.4元"},
                    NetOnlyCase{"NegativeOtherAdditions", kOtherAdditions, "-44.4",
                                "实发工资：1900元"}),
    [](const testing::TestParamInfo<NetOnlyCase>& info) { return info.param.name; });

TEST(PayInputTexts, ReadLikeTypedNumbers) {
    // Full-width digits read like ASCII ones; an allowance that is not a
    // number counts as 0 (base 1820: 1820 / 21.75 / 8 = 10.4597...).
    const PayResult fullWidth = computePayFigures(defaultsWith({{kNormalWage, "１８２０"}}));
    EXPECT_EQ(labelOf(fullWidth, "标签正常班时薪"), "时薪：11.61元");
    const PayResult mistyped = computePayFigures(defaultsWith({{kPostAllowance, "两百"}}));
    EXPECT_EQ(labelOf(mistyped, "标签正常班时薪"), "时薪：10.46元");
    EXPECT_EQ(labelOf(mistyped, "标签应发工资"), "应发工资：2320元");
}

// Gross 19,500 + 200 + 300 = 20,000 with 1,000 social insurance.
class CumulativeWithholdingInThePay : public testing::Test {
  protected:
    const PayInputs inputs = defaultsWith({{kNormalWage, "19300"}, {kSocialInsurance, "1000"}});
    static TaxChoice cumulative(std::string_view specialDeduction, int32_t month) {
        return {TaxMethod::CumulativeWithholding2019, gbk(specialDeduction), month};
    }
};

TEST_F(CumulativeWithholdingInThePay, ReplacesOnlyTheTaxAndTheNetPay) {
    const PayResult table2011 = computePayFigures(inputs);
    const PayResult august = computePayFigures(inputs, cumulative("", 8));
    // 2011 table: taxable 15,500 at 25% less 1,005.
    EXPECT_EQ(labelOf(table2011, "标签个人所得税代扣"), "个人所得税代扣:2870元");
    EXPECT_EQ(labelOf(table2011, "标签实发工资"), "实发工资：15730元");
    EXPECT_EQ(labelOf(august, "标签个人所得税代扣"), "个人所得税代扣:1400元");
    EXPECT_EQ(labelOf(august, "标签实发工资"), "实发工资：17200元");
    for (int i = 0; i < kPayLabelCount; ++i) {
        const std::string_view control = august.labels[i].control;
        if (control == "标签个人所得税代扣" || control == "标签实发工资") continue;
        EXPECT_EQ(august.labels[i].text, table2011.labels[i].text) << control;
    }
}

TEST_F(CumulativeWithholdingInThePay, ReadsTheSpecialDeductionText) {
    // 13,000 a month: 104,000 to August (7,880), 91,000 to July (6,580).
    const PayResult r = computePayFigures(inputs, cumulative("１０００", 8));
    EXPECT_EQ(labelOf(r, "标签个人所得税代扣"), "个人所得税代扣:1300元");
    EXPECT_EQ(labelOf(r, "标签实发工资"), "实发工资：17300元");
}

TEST_F(CumulativeWithholdingInThePay, RoundsTheMonthsTaxToTheCent) {
    // Gross 5,250.5 - 5,000 - 175.6 leaves 74.9 a month: 3% of it is 2.247.
    const PayResult r =
        computePayFigures(defaultsWith({{kNormalWage, "4550.5"}}), cumulative("0", 5));
    EXPECT_EQ(labelOf(r, "标签个人所得税代扣"), "个人所得税代扣:2.25元");
}

TEST_F(CumulativeWithholdingInThePay, UndefinedGrossPaysNoTax) {
    const PayResult r = computePayFigures(defaultsWith({{kWorkingDays, "0"}}), cumulative("0", 8));
    EXPECT_EQ(labelOf(r, "标签个人所得税代扣"), "个人所得税代扣:0元");
    EXPECT_EQ(labelOf(r, "标签应发工资"), "应发工资：-1.#IND元");
}

TEST_F(CumulativeWithholdingInThePay, ExplicitTable2011ChangesNothing) {
    const PayResult byDefault = computePayFigures(inputs);
    const PayResult explicitTable =
        computePayFigures(inputs, {TaxMethod::Table2011, gbk("1000"), 8});
    for (int i = 0; i < kPayLabelCount; ++i) {
        EXPECT_EQ(explicitTable.labels[i].text, byDefault.labels[i].text) << i;
    }
}

}  // namespace
}  // namespace paylog
