#pragma once
// What a run shows: the texts of the window's 60 result fields (MAF, fit
// response and % error of each row, the three coefficients) and the run
// log's block, both pure functions of the Reduction.

#include "Reduce.h"

#include <array>
#include <string>

namespace tovarin {

struct RowFieldTexts
{
    std::string maf, fit, errorPct; // "%4.2f" each
};

struct ResultFieldTexts
{
    std::array<RowFieldTexts, kMaxRows> rows; // empty below the rows in use
    std::string a, b, c;                      // "%4.3f" each
};

// The coefficient fields' values: King's a, b and c, or the first three
// parameters of the chosen model (monotone: the first three knot responses).
std::array<double, 3> ShownCoefficients(const Reduction& run);

// The fields after `run`. A run that fitted nothing changes no field, so its
// texts are all empty here; the window then keeps what it showed.
ResultFieldTexts FormatResultFields(const Reduction& run);

// Line 1 of a run's log text, written before the run; no line end, so the
// block continues on its line.
inline constexpr const char* kRunBanner = "\n\n\n*** Executing Run ***";

// The rest of a run's log text: with a fit the mode line and the result
// block (the data to use, the coefficients and one line per row), then in
// every case the end line; with a model other than King's equation, the
// model's line after it.
std::string RunLogBlock(const Reduction& run);

} // namespace tovarin
