#include "pay/income_tax.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>

#include "core/number_text.h"
#include "pay/extended_arithmetic.h"

namespace paylog {
namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// A row holds the taxable amounts that do not exceed its upper bound (and
// exceed the row before's); "exceed" tolerates 1e-7, so an amount on a
// bound stays in the lower row.
struct TaxBracket {
    double upTo;
    double rate;
    double quickDeduction;
};

constexpr double kMonthlyAllowance2011 = 3500;
constexpr std::array<TaxBracket, 7> kMonthlyTable2011{{
    {1500, 0.03, 0},
    {4500, 0.10, 105},
    {9000, 0.20, 555},
    {35000, 0.25, 1005},
    {55000, 0.30, 2755},
    {80000, 0.35, 5505},
    {kUnbounded, 0.45, 13505},
}};

constexpr double kMonthlyAllowance2019 = 5000;
constexpr std::array<TaxBracket, 7> kAnnualTable2019{{
    {36000, 0.03, 0},
    {144000, 0.10, 2520},
    {300000, 0.20, 16920},
    {420000, 0.25, 31920},
    {660000, 0.30, 52920},
    {960000, 0.35, 85920},
    {kUnbounded, 0.45, 181920},
}};

// The quick deductions make each table continuous at its bounds, so the
// row chosen for an amount on a bound changes the tax by less than a cent.
double taxByTable(double taxable, std::span<const TaxBracket> table) {
    // The last row is unbounded; an undefined amount exceeds nothing and
    // lands in the first row.
    const TaxBracket* row = &table.back();
    for (const TaxBracket& bracket : table) {
        if (!exceeds(taxable, bracket.upTo)) {
            row = &bracket;
            break;
        }
    }
    const double atRate = stored(Wide{taxable} * row->rate);
    return stored(Wide{atRate} - row->quickDeduction);
}

double cumulativeTaxable(double gross, double housingFund, double socialInsurance,
                         double specialDeduction, int32_t months) {
    const double taxable =
        stored(static_cast<Wide>(months) * (Wide{gross} - kMonthlyAllowance2019 - housingFund -
                                            socialInsurance - specialDeduction));
    // Also turns an undefined amount into 0: no tax on a pay that is not a number.
    return taxable > 0 ? taxable : 0;
}

}  // namespace

double incomeTaxFor(double gross, double insurance) {
    const double afterInsurance = stored(Wide{gross} - insurance);
    if (!exceeds(afterInsurance, kMonthlyAllowance2011)) return 0;
    const double taxable = stored(Wide{gross} - kMonthlyAllowance2011 - insurance);
    return taxByTable(taxable, kMonthlyTable2011);
}

double cumulativeWithholdingFor(double gross, double housingFund, double socialInsurance,
                                double specialDeduction, int32_t month) {
    const int32_t k = std::clamp(month, 1, 12);
    const double taxToDate =
        taxByTable(cumulativeTaxable(gross, housingFund, socialInsurance, specialDeduction, k),
                   kAnnualTable2019);
    const double taxBefore =
        taxByTable(cumulativeTaxable(gross, housingFund, socialInsurance, specialDeduction, k - 1),
                   kAnnualTable2019);
    return stored(Wide{taxToDate} - taxBefore);
}

}  // namespace paylog
