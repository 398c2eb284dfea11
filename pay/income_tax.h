#pragma once
// Monthly individual income tax: the 2011 monthly table, and the cumulative
// withholding of 2019 for a year of equal months.

#include <cstdint>

namespace paylog {

// The monthly income tax by the 2011 table (3500 allowance, seven brackets),
// not rounded. 0 when gross minus insurance does not exceed the allowance,
// which includes an undefined (NaN) gross.
double incomeTaxFor(double gross, double insurance);

// The tax withheld in `month` (1..12; other values are taken as the nearest
// month) when every month from January on had the same gross pay and
// deductions: C(month) - C(month - 1), where C(k) is the annual table applied
// to k * (gross - 5000 - housingFund - socialInsurance - specialDeduction),
// floored at 0. Not rounded. An undefined (NaN) gross floors to 0 and gives 0.
double cumulativeWithholdingFor(double gross, double housingFund, double socialInsurance,
                                double specialDeduction, int32_t month);

}  // namespace paylog
