#pragma once
// The flow factor table checked the way the engine controller reads it: it
// measures a response, looks up the two neighbouring words and interpolates a
// flow. Every word is taken exactly as WriteFlowTable writes it; the Freq
// range words before and after the flows (the frame) are not flows, but the
// controller reads them, so the word range judges them too. Errors in % of the
// fitted flow in the output unit, over breakpoints whose flow is at least the
// idle flow:
//   rounding error      = (word - flow) / flow * 100 at each breakpoint
//   interpolation error = ((word_i + word_i+1) / 2 - flow(mid)) / flow(mid) * 100
//                         at the midpoint response of two neighbouring breakpoints;
//                         with explicit breakpoints TableInterpolation's measure
// with words divided by the word scale. A word type other than int passes the
// word range only without saturated words, its words within its range and
// --max-word (s16 and f32 may be negative).
// The checks turn these, the fit's outcome and its flow error into a verdict.

#include "FitQuality.h"
#include "OutputParameters.h"
#include "TableInterpolation.h"
#include "Uncertainty.h"
#include "UncertaintyBudget.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

struct TableCheck
{
    OutputParameters output;
    std::optional<double> minWord, maxWord; // empty when the table has no flow words
    int wordsBelow0 = 0, wordsAbove32767 = 0, wordsAbove65535 = 0;
    int wordsAboveLimit = 0;                           // above the thresholds' largest word
    int wordsSaturatedLow = 0, wordsSaturatedHigh = 0; // at the word type's edges
    int wordsInside = 0;                               // at responses within the measured ones
    std::vector<int> frameWords;                       // Freq: response min and max, as written
    int frameWordsOutOfRange = 0;                      // below 0 or above the largest word
    std::optional<int> firstDecrease; // index of the first word below the one before
    std::optional<ErrorAtResponse> maxRoundingError, maxInterpolationError;
    // With explicit or placed breakpoints: the same measure at as many evenly
    // spaced ones over the same span, for comparison.
    std::optional<ErrorAtResponse> evenInterpolationError;
    double extrapolatedPct = 0.0; // breakpoints outside the measured responses, in %
    double flowAtResponseMaxGs = 0.0;

    int WordCount() const { return output.pointCount > 0 ? output.pointCount : 0; }
    bool Monotonic() const { return !firstDecrease; }
};

inline constexpr int kDefaultMaxWord = 65535; // an unsigned 16-bit word
inline constexpr double kDefaultMaxTableErrorPct = 0.5;

// Each limit itself passes; a row or breakpoint at the idle flow counts.
struct CheckThresholds
{
    double idleFlowGs = kDefaultIdleFlowGs;
    double maxFlowErrorPct = kDefaultMaxFlowErrorPct;
    int maxWord = kDefaultMaxWord;
    double maxTableErrorPct = kDefaultMaxTableErrorPct;
    std::optional<double> maxExtrapolatedPct{}; // the "extrapolation" check, when given
};

TableCheck CheckFlowTable(const Reduction& lastRun, const OutputParameters& output,
                          const CheckThresholds& thresholds = {});

struct Check
{
    std::string name;
    bool passed = false;
    std::string detail; // one line saying why
};

// "largest flow error +2.5 % at row 3 (limit 2 %)", or for the interpolant
// "largest leave-one-out flow error ...".
std::string FlowErrorDetail(const LargestError& e, bool leaveOneOut, double limitPct);

// The flow error the "flow error" check judges: the fit quality's, or for
// the interpolant its leave-one-out error (it passes through every row).
std::optional<LargestError> CheckedFlowError(const Reduction& lastRun, const FitQuality& quality);

// "converged", "flow error", "word range", "monotonic", "table error",
// "coverage" and, with its limit, "extrapolation". A check with nothing to
// judge fails: no row at or above the idle flow, a table without two
// distinct words or without a word inside the measured responses.
std::vector<Check> RunChecks(const Reduction& lastRun, const FitQuality& quality,
                             const TableCheck& table, const CheckThresholds& thresholds);

// Everything an engineer needs to release a table: the fit's quality, the
// check of the table the output parameters give, and the checks. Without a
// fit the table is not checked and there are no checks.
struct Verdict
{
    FitQuality quality;
    std::optional<TableCheck> table;
    std::vector<Check> checks;
    std::vector<FlowUncertainty> uncertainty; // empty when the covariance is undefined
    std::optional<std::string> modelHint;     // a model that passes where the chosen fails
    // With budget inputs, a Monte Carlo count or the guarded rule; `uncertainty`
    // then holds its table's stated U. budgetProblem says why none could be made.
    std::optional<UncertaintyBudget> budget;
    std::optional<std::string> budgetProblem;
    BudgetInputs budgetInputs; // as asked for, with the decision rule

    bool Passed() const;
};

// `budget`: the uncertainty budget's inputs and decision rule; with
// `guarded`, the flow-error check passes a row only where |error| + U % is
// within the limit (the limit itself passes), and fails when no budget
// could be made.
Verdict JudgeCalibration(const Reduction& lastRun, const OutputParameters& output,
                         const CheckThresholds& thresholds = {}, const BudgetInputs& budget = {});

} // namespace tovarin
