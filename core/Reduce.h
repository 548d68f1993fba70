#pragma once
// One reduction: the typed rows in (RunInput), everything a run derives out
// (Reduction). Reduce ends the table, converts the flows to g/s and, with
// enough rows, fits King's equation; every view formats the Reduction it
// returns, and the analysis (FitQuality, TableCheck, Uncertainty, Drift)
// judges it.

#include "King.h"
#include "KingFit.h"
#include "MeasurementSet.h"

namespace tovarin {

inline constexpr int kMinFitRows = 3; // King's equation has three coefficients

// Why the table ended where it did.
enum class TableEnd
{
    AllRows,        // all 19 rows are in use
    FlowNotGreater, // the row at rowCount has a flow not greater than the one above
};

enum class RunMode
{
    None, // fewer than kMinFitRows rows in use: nothing was fitted
    Linear,
    NonLinear
};

struct Reduction
{
    MeasurementSet set; // the input and its rows in use
    TableEnd tableEnd = TableEnd::FlowNotGreater;
    KingCoefficients coefficients; // zero when nothing was fitted
    FitOutcome outcome;            // `fitted` false when nothing was fitted
};

Reduction Reduce(const RunInput& input);

// What the window shows after a run that fitted nothing: the new table with
// the coefficients, outcome and fitted responses of the last fit (zero
// before any fit), which such a run leaves on screen and in the charts.
Reduction CarryLastFit(Reduction now, const Reduction& lastFit);

// A fit the output files can be written from: one was made and its
// coefficients are all finite.
bool HasUsableFit(const Reduction& reduction);

RunMode ModeOf(const Reduction& reduction);

// The smallest and largest measured response of the rows in use (row 0's
// alone when none is), volts or hertz.
struct ResponseRange
{
    double low = 0.0, high = 0.0;
};
ResponseRange MeasuredResponseRange(const MeasurementSet& set);

// (value - reference) / reference * 100: a row's response and flow errors,
// a table word's error and a drift all use this one form.
inline double PercentError(double value, double reference)
{
    return (value - reference) / reference * 100.0;
}

} // namespace tovarin
