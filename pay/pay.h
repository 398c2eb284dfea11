#pragma once
// The month's pay from the calculator's inputs: a pure function from the
// edit boxes' texts to the result labels' texts.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/text.h"
#include "pay/income_tax.h"

namespace paylog {

// The calculator's inputs, in the order of kPayInputBoxes.
enum PayInput : int {
    kNormalWage,            // 编辑框正常工作时间工资
    kPostAllowance,         // 编辑框考核岗位津贴
    kPositionAllowance,     // 编辑框职务津贴
    kRegionalAllowance,     // 编辑框地区津贴
    kWorkingDays,           // 编辑框正常工作天数
    kG1Hours,               // 编辑框1加班小时数
    kG2Hours,               // 编辑框2加班小时数
    kG3Hours,               // 编辑框3加班小时数
    kPersonalLeaveHours,    // 编辑框事假时数
    kSickLeaveHours,        // 编辑框病假时数
    kSickLeaveFactor,       // 编辑框病假工资比例
    kAbsenceHours,          // 编辑框旷工时数
    kNightAllowance,        // 编辑框夜班津贴
    kSpecialPostAllowance,  // 编辑框特殊岗位津贴
    kSkillAllowance,        // 编辑框技能津贴
    kHousingFund,           // 编辑框住房公积金代扣
    kSocialInsurance,       // 编辑框社保代扣
    kMeals,                 // 编辑框伙食费代扣
    kLodging,               // 编辑框住宿费代扣
    kOtherDeductions,       // 编辑框其它减项
    kOtherAdditions,        // 编辑框其它加项
    kPayInputCount
};

// objectName (UTF-8) of the edit box of each input.
extern const std::array<std::string_view, kPayInputCount> kPayInputBoxes;

using PayInputs = std::array<Text, kPayInputCount>;  // the boxes' GBK texts

enum class TaxMethod {
    Table2011,                 // 3500 allowance, seven monthly brackets
    CumulativeWithholding2019  // 5000 a month, cumulative over the year
};

// monthlySpecialDeduction and month only matter to the cumulative method.
struct TaxChoice {
    TaxMethod method = TaxMethod::Table2011;
    Text monthlySpecialDeduction;  // text of its edit box, read as a number
    int32_t month = 1;             // month of the year being paid (1..12)
};

struct PayModuleValues {
    double baseWage = 0, hourlyRate = 0, g1Pay = 0, g2Pay = 0, g3Pay = 0, overtimePayTotal = 0,
           grossPay = 0;
};

struct PayLabel {
    std::string_view control;  // objectName (UTF-8)
    Text text;                 // GBK
};

inline constexpr int kPayLabelCount = 26;

struct PayResult {
    PayModuleValues values;
    std::array<PayLabel, kPayLabelCount> labels;  // in the order they are written
};

// Reads every input afresh (a text that is not a number counts as 0) and
// computes every figure; nothing is validated, so zero working days show as
// infinite rates and undefined amounts rather than an error.
PayResult computePayFigures(const PayInputs& inputs, const TaxChoice& tax = {});

}  // namespace paylog
