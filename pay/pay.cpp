#include "pay/pay.h"

#include "core/number_text.h"
#include "pay/extended_arithmetic.h"

namespace paylog {

const std::array<std::string_view, kPayInputCount> kPayInputBoxes{
    "编辑框正常工作时间工资", "编辑框考核岗位津贴", "编辑框职务津贴",     "编辑框地区津贴",
    "编辑框正常工作天数",     "编辑框1加班小时数",  "编辑框2加班小时数",  "编辑框3加班小时数",
    "编辑框事假时数",         "编辑框病假时数",     "编辑框病假工资比例", "编辑框旷工时数",
    "编辑框夜班津贴",         "编辑框特殊岗位津贴", "编辑框技能津贴",     "编辑框住房公积金代扣",
    "编辑框社保代扣",         "编辑框伙食费代扣",   "编辑框住宿费代扣",   "编辑框其它减项",
    "编辑框其它加项",
};

namespace {

// The result labels in the order they are written: the tax and the figures
// up to the gross pay first, then the net pay and the rates.
struct LabelRow {
    std::string_view control;  // objectName (UTF-8)
    std::string_view prefix;   // UTF-8; "每分种" and "每秒种" are the labels' own wording
};

constexpr std::array<LabelRow, kPayLabelCount> kLabelRows{{
    {"标签个人所得税代扣", "个人所得税代扣:"},
    {"标签G1工资", "G1工资："},
    {"标签G2工资", "G2工资："},
    {"标签G3工资", "G3工资："},
    {"标签加班费总和", "加班费总和："},
    {"标签事假减项", "事假减项："},
    {"标签病假减项", "病假减项："},
    {"标签旷工减项", "旷工减项："},
    {"标签正常班时薪", "时薪："},
    {"标签正常8小时薪资", "8小时日薪："},
    {"标签正常10小时薪资", "10小时日薪："},
    {"标签应发工资", "应发工资："},
    {"标签实发工资", "实发工资："},
    {"标签G1时薪", "G1时薪："},
    {"标签G2时薪", "G2时薪："},
    {"标签G3时薪", "节假日时薪："},
    {"标签周六日8小时薪资", "周六日8小时薪资："},
    {"标签周六日10小时薪资", "周六日10小时薪资："},
    {"标签节假日8小时薪资", "节假日8小时薪资："},
    {"标签节假日10小时薪资", "节假日10小时薪资："},
    {"标签正常工作日每分钟薪资", "正常工作日每分种薪资:"},
    {"标签周六日每分钟薪资", "周六日每分种薪资:"},
    {"标签节假日每分钟薪资", "节假日每分种薪资:"},
    {"标签正常工作日每秒钟薪资", "正常工作日每秒种薪资:"},
    {"标签周六日每秒钟薪资", "周六日每秒种薪资:"},
    {"标签节假日每秒钟薪资", "节假日每秒种薪资:"},
}};

// Prefix, the amount as numberToText writes it, then the currency.
Text labelText(int row, double value) {
    static const std::array<Text, kPayLabelCount> prefixes = [] {
        std::array<Text, kPayLabelCount> gbkPrefixes;
        for (int i = 0; i < kPayLabelCount; ++i) gbkPrefixes[i] = gbk(kLabelRows[i].prefix);
        return gbkPrefixes;
    }();
    static const Text kYuan = gbk("元");
    return joinTexts({prefixes[row], numberToText(value), kYuan});
}

double monthlyTax(const TaxChoice& tax, double grossPay, double housingFund, double socialInsurance,
                  double insuranceDeduction) {
    switch (tax.method) {
        case TaxMethod::CumulativeWithholding2019:
            return cumulativeWithholdingFor(grossPay, housingFund, socialInsurance,
                                            textToNumber(tax.monthlySpecialDeduction), tax.month);
        case TaxMethod::Table2011:
            break;
    }
    return incomeTaxFor(grossPay, insuranceDeduction);
}

}  // namespace

PayResult computePayFigures(const PayInputs& inputs, const TaxChoice& tax) {
    const auto amount = [&inputs](PayInput box) { return textToNumber(inputs[box]); };

    PayResult result;
    PayModuleValues& v = result.values;
    v.baseWage = stored(Wide{amount(kNormalWage)} + amount(kPostAllowance) +
                        amount(kPositionAllowance) + amount(kRegionalAllowance));
    const double unroundedHourlyRate = stored(Wide{v.baseWage} / amount(kWorkingDays) / 8);
    // Every later figure builds on the rate rounded to the cent, as a payslip does.
    v.hourlyRate = roundNumber(unroundedHourlyRate, 2);

    const double g1Rate = stored(Wide{v.hourlyRate} * 1.5);
    const double g2Rate = stored(Wide{v.hourlyRate} * 2);
    const double g3Rate = stored(Wide{v.hourlyRate} * 3);

    v.g1Pay = stored(Wide{amount(kG1Hours)} * g1Rate);
    v.g2Pay = stored(Wide{amount(kG2Hours)} * g2Rate);
    v.g3Pay = stored(Wide{amount(kG3Hours)} * g3Rate);
    v.overtimePayTotal = stored(Wide{v.g1Pay} + v.g2Pay + v.g3Pay);

    const double personalLeaveDeduction = stored(Wide{amount(kPersonalLeaveHours)} * v.hourlyRate);
    const double sickLeaveDeduction =
        stored(Wide{amount(kSickLeaveHours)} * v.hourlyRate * amount(kSickLeaveFactor));
    const double absenceDeduction = stored(Wide{amount(kAbsenceHours)} * v.hourlyRate);

    const double subtotal = stored(Wide{v.overtimePayTotal} + v.baseWage + amount(kNightAllowance) +
                                   amount(kSpecialPostAllowance) + amount(kSkillAllowance));
    v.grossPay =
        stored(Wide{subtotal} - personalLeaveDeduction - sickLeaveDeduction - absenceDeduction);

    // Meals, lodging and the other deductions and additions stay out of the tax.
    const double housingFund = amount(kHousingFund);
    const double socialInsurance = amount(kSocialInsurance);
    const double insuranceDeduction = stored(Wide{housingFund} + socialInsurance);
    const double incomeTax = roundNumber(
        monthlyTax(tax, v.grossPay, housingFund, socialInsurance, insuranceDeduction), 2);

    const double eightHourPay = stored(Wide{v.hourlyRate} * 8);
    const double twoG1HoursPay = stored(Wide{g1Rate} * 2);

    // The rounded tax is the one withheld.
    const double netBeforeAdditions =
        stored(Wide{v.grossPay} - housingFund - socialInsurance - amount(kMeals) -
               amount(kLodging) - incomeTax - amount(kOtherDeductions));
    const double netPay = stored(Wide{netBeforeAdditions} + amount(kOtherAdditions));

    const std::array<double, kPayLabelCount> values{
        incomeTax,
        v.g1Pay,
        v.g2Pay,
        v.g3Pay,
        v.overtimePayTotal,
        personalLeaveDeduction,
        sickLeaveDeduction,
        absenceDeduction,
        v.hourlyRate,
        eightHourPay,
        stored(Wide{eightHourPay} + twoG1HoursPay),
        v.grossPay,
        netPay,
        roundNumber(g1Rate, 2),
        roundNumber(g2Rate, 2),
        roundNumber(g3Rate, 2),
        stored(Wide{g2Rate} * 8),
        stored(Wide{g2Rate} * 10),
        stored(Wide{g3Rate} * 8),
        stored(Wide{g3Rate} * 10),
        stored(Wide{v.hourlyRate} / 60),
        stored(Wide{g2Rate} / 60),
        stored(Wide{g3Rate} / 60),
        stored(Wide{v.hourlyRate} / 3600),
        stored(Wide{g2Rate} / 3600),
        stored(Wide{g3Rate} / 3600),
    };
    for (int row = 0; row < kPayLabelCount; ++row) {
        result.labels[row] = {kLabelRows[row].control, labelText(row, values[row])};
    }
    return result;
}

}  // namespace paylog
