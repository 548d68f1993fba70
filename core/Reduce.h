#pragma once
// One reduction: the typed rows in (RunInput), everything a run derives out
// (Reduction). Reduce ends the table, converts the flows to g/s and, with
// enough rows, fits King's equation, compares the models when the settings
// ask for it (ModelComparison) and keeps the chosen one; every view formats
// the Reduction it returns, and the analysis (FitQuality, TableCheck,
// Uncertainty, Drift) judges it through the chosen model.

#include "King.h"
#include "KingFit.h"
#include "MeasurementSet.h"
#include "ModelComparison.h"

#include <optional>

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
    // The model the outputs use; King's equation takes its coefficients from
    // `coefficients` (ChosenModel fills them in).
    FlowModel model;
    // Every model, when the settings asked for a comparison or King's
    // equation failed the flow-error limit; always with a model other than King's.
    std::optional<ModelComparison> comparison;
};

// Compares the models when `models` chooses one other than King's, asks for
// a comparison, or King's equation misses a row at or above the idle flow by
// more than the limit (or has no such row), so that a batch of sound sensors
// costs a King fit alone.
Reduction Reduce(const RunInput& input, const ModelSettings& models = {});

// The chosen model, complete.
FlowModel ChosenModel(const Reduction& reduction);

// The chosen model's flow at `response`, g/s.
double FlowAt(const Reduction& reduction, double response);

// The chosen model's response at `flowGs` (V or Hz): King's equation, or
// the inverse of a Q(R) model searched over the measured responses widened
// by their span on each side.
double ResponseAt(const Reduction& reduction, double flowGs);

// The chosen model's assessment, when the models were compared.
const ModelAssessment* ChosenAssessment(const Reduction& reduction);

// What the window shows after a run that fitted nothing: the new table with
// the coefficients, outcome and fitted responses of the last fit (zero
// before any fit), which such a run leaves on screen and in the charts.
Reduction CarryLastFit(Reduction now, const Reduction& lastFit);

// A fit the output files can be written from: one was made, its
// coefficients are all finite, and the chosen model could be made.
bool HasUsableFit(const Reduction& reduction);

RunMode ModeOf(const Reduction& reduction);

// The smallest and largest measured response of the rows in use (row 0's
// alone when none is), volts or hertz.
struct ResponseRange
{
    double low = 0.0, high = 0.0;
};
ResponseRange MeasuredResponseRange(const MeasurementSet& set);

} // namespace tovarin
