#include "pay/income_tax.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/number_text.h"

namespace paylog {
namespace {

// References are the decimal results of the rules; the inputs' binary forms
// move the last bits, far below this, while a wrong row or rate moves the
// tax by more.
constexpr double kCentFraction = 1e-9;

struct Table2011Case {
    std::string name;
    double gross;
    double insurance;
    double tax;         // unrounded
    double roundedTax;  // as the calculator withholds it
};

class IncomeTax2011 : public testing::TestWithParam<Table2011Case> {};

TEST_P(IncomeTax2011, FollowsTheMonthlyTable) {
    const Table2011Case& c = GetParam();
    const double tax = incomeTaxFor(c.gross, c.insurance);
    EXPECT_NEAR(tax, c.tax, kCentFraction);
    EXPECT_DOUBLE_EQ(roundNumber(tax, 2), c.roundedTax);
}

INSTANTIATE_TEST_SUITE_P(
    Brackets, IncomeTax2011,
    testing::Values(
        // 1500 taxable lies on the first bound: 45 in either row.
        Table2011Case{"FirstBoundStaysInFirstRow", 5000, 0, 45, 45},
        Table2011Case{"InsuranceLowersTheTaxable", 8000, 500, 295, 295},
        Table2011Case{"TopBracket", 100000, 0, 29920, 29920},
        Table2011Case{"ExactlyTheAllowance", 3500, 0, 0, 0},
        Table2011Case{"AllowanceAfterInsurance", 4000, 500, 0, 0},
        Table2011Case{"BelowTheAllowance", 2520, 175.6, 0, 0},
        Table2011Case{"NegativeGross", -100, 0, 0, 0},
        Table2011Case{"NegativeGrossWithInsurance", -100, 175.6, 0, 0},
        // 3% of 0.01, which the calculator rounds away.
        Table2011Case{"OneCentAboveTheAllowance", 3500.01, 0, 0.0003, 0},
        Table2011Case{"HalfCentRoundsAwayFromZero", 4734.5, 0, 37.035, 37.04},
        Table2011Case{"SecondRow", 6000, 0, 145, 145},
        Table2011Case{"ThirdRow", 10000, 0, 745, 745},
        Table2011Case{"FourthRow", 20000, 0, 3120, 3120},
        Table2011Case{"FifthRow", 50000, 0, 11195, 11195},
        Table2011Case{"SixthRow", 70000, 0, 17770, 17770},
        // Within 1e-7 above the 4500 bound: still the 10% row.
        Table2011Case{"WithinToleranceOfABoundStaysBelow", 8000.00000005, 0, 345.000000005, 345},
        Table2011Case{"ClearlyAboveABoundMovesUp", 8000.001, 0, 345.0002, 345}),
    [](const testing::TestParamInfo<Table2011Case>& info) { return info.param.name; });

TEST(IncomeTax2011, UndefinedGrossPaysNoTax) {
    EXPECT_EQ(incomeTaxFor(undefinedNumber(), 175.6), 0);
    EXPECT_EQ(incomeTaxFor(std::nan(""), 0), 0);
}

TEST(IncomeTax2011, InfiniteGrossGivesInfiniteTax) {
    EXPECT_EQ(incomeTaxFor(std::numeric_limits<double>::infinity(), 0),
              std::numeric_limits<double>::infinity());
}

struct CumulativeCase {
    std::string name;
    double gross, housingFund, socialInsurance, specialDeduction;
    int month;
    double tax;
};

class CumulativeWithholding2019 : public testing::TestWithParam<CumulativeCase> {};

TEST_P(CumulativeWithholding2019, IsTheGrowthOfTheYearsTax) {
    const CumulativeCase& c = GetParam();
    EXPECT_NEAR(cumulativeWithholdingFor(c.gross, c.housingFund, c.socialInsurance,
                                         c.specialDeduction, c.month),
                c.tax, kCentFraction);
}

INSTANTIATE_TEST_SUITE_P(
    Months, CumulativeWithholding2019,
    testing::Values(
        // 112,000 to date: 8,680; 98,000 to July: 7,280.
        CumulativeCase{"AugustInTheTenPercentRow", 20000, 0, 1000, 0, 8, 1400},
        // 14,000 at 3%.
        CumulativeCase{"JanuaryIsTheFirstMonthsTax", 20000, 0, 1000, 0, 1, 420},
        // 30,000 to March (900), 40,000 to April (1,480): 6,000 at 3% and 4,000 at 10%.
        CumulativeCase{"MonthCrossingABoundMixesRates", 15000, 0, 0, 0, 4, 580},
        // 36,000 to December lies on the first bound and stays at 3%.
        CumulativeCase{"DecemberOnTheFirstBound", 8500, 500, 0, 0, 12, 90},
        CumulativeCase{"HousingFundAndSpecialDeductionCount", 20000, 500, 500, 1000, 8, 1300},
        CumulativeCase{"GrossBelowAllowanceAndInsurance", 5100, 0, 175.6, 0, 6, 0},
        CumulativeCase{"GrossExactlyAllowanceAndInsurance", 5175.6, 0, 175.6, 0, 6, 0},
        CumulativeCase{"NegativeGross", -3000, 0, 0, 0, 3, 0},
        // 385,000 to November (64,330), 420,000 to December (73,080).
        CumulativeCase{"HighPayInDecember", 45000, 0, 0, 5000, 12, 8750},
        // Months outside the year count as the nearest month.
        CumulativeCase{"MonthZeroCountsAsJanuary", 20000, 0, 1000, 0, 0, 420},
        // 154,000 to November (13,880), 168,000 to December (16,680).
        CumulativeCase{"MonthThirteenCountsAsDecember", 20000, 0, 1000, 0, 13, 2800}),
    [](const testing::TestParamInfo<CumulativeCase>& info) { return info.param.name; });

TEST(CumulativeWithholding2019, UndefinedGrossPaysNoTax) {
    for (int month : {1, 8}) {
        EXPECT_EQ(cumulativeWithholdingFor(undefinedNumber(), 0, 175.6, 0, month), 0) << month;
    }
}

}  // namespace
}  // namespace paylog
