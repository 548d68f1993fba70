#include "TableCheck.h"

#include "NumberText.h"
#include "TableBreakpoints.h"
#include "Trunc.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tovarin {
namespace {

void KeepLargest(std::optional<ErrorAtResponse>& largest, double pct, double response)
{
    if (std::isfinite(pct) && (!largest || std::fabs(pct) > std::fabs(largest->pct)))
        largest = ErrorAtResponse{pct, response};
}

std::string Pct(double pct)
{
    return FormatC("%+.3g %%", pct);
}

std::string Word(const TableCheck& t, double value)
{
    return WordText(value, t.output.wordType);
}

Check WordRangeCheck(const TableCheck& t, int maxWord)
{
    const int count = t.WordCount();
    const WordType type = t.output.wordType;
    if (t.wordsSaturatedLow + t.wordsSaturatedHigh > 0) {
        const bool high = t.wordsSaturatedHigh > 0;
        return {
            "word range", false,
            FormatC("%d words saturated at ", high ? t.wordsSaturatedHigh : t.wordsSaturatedLow) +
                Word(t, high ? InfoOf(type).high : InfoOf(type).low) + " (--word " +
                InfoOf(type).name + ")"};
    }
    if (t.wordsBelow0 > 0 && (type == WordType::Int || InfoOf(type).low >= 0.0))
        return {"word range", false,
                FormatC("%d of %d words are below 0 (smallest ", t.wordsBelow0, count) +
                    Word(t, *t.minWord) + "): raise Response Min"};
    if (t.wordsAboveLimit > 0) {
        const std::optional<OutputFlowUnit>& unit = t.output.outputFlowUnit;
        const char* remedy = unit == OutputFlowUnit::MgPerSec ? "choose 10*mg/sec or fewer points"
                             : unit == OutputFlowUnit::TenMgPerSec
                                 ? "choose g/sec or a lower Response Max"
                                 : "choose a lower Response Max";
        return {"word range", false,
                FormatC("%d of %d words exceed %d (largest ", t.wordsAboveLimit, count, maxWord) +
                    Word(t, *t.maxWord) + "): " + remedy};
    }
    if (t.frameWordsOutOfRange > 0) {
        const int low = t.frameWords.front(), high = t.frameWords.back();
        const bool lowOut = low < 0 || low > maxWord;
        return {"word range", false,
                FormatC("the frame word %d (response %s) is outside 0 to %d", lowOut ? low : high,
                        lowOut ? "min" : "max", maxWord)};
    }
    if (!t.minWord)
        return {"word range", true, "the table has no flow words"};
    return {"word range", true, "words " + Word(t, *t.minWord) + " to " + Word(t, *t.maxWord)};
}

Check CoverageCheck(const TableCheck& t)
{
    const int count = t.WordCount();
    if (count == 0 || !t.minWord)
        return {"coverage", false, "the table has no words"};
    if (*t.minWord == *t.maxWord)
        return {"coverage", false,
                FormatC("all %d words are ", count) + Word(t, *t.minWord) +
                    ": the table tells the controller no flow"};
    if (t.wordsInside == 0)
        return {"coverage", false,
                "no word lies inside the measured responses: choose Response Min and Max "
                "over them"};
    return {"coverage", true,
            FormatC("%d of %d words inside the measured responses", t.wordsInside, count)};
}

Check ExtrapolationCheck(const TableCheck& t, double limit)
{
    return {"extrapolation", t.extrapolatedPct <= limit,
            FormatC("%.3g %% of the words lie outside the measured responses (limit %g %%)",
                    t.extrapolatedPct, limit)};
}

Check TableErrorCheck(const Reduction& run, const TableCheck& t, double limit)
{
    const bool roundingWorse = t.maxRoundingError && (!t.maxInterpolationError ||
                                                      std::fabs(t.maxRoundingError->pct) >=
                                                          std::fabs(t.maxInterpolationError->pct));
    const std::optional<ErrorAtResponse>& worst =
        roundingWorse ? t.maxRoundingError : t.maxInterpolationError;
    if (!worst)
        return {"table error", false, "no breakpoint has a flow at or above the idle flow"};
    const bool passed = std::fabs(worst->pct) <= limit;
    const std::optional<OutputFlowUnit>& unit = t.output.outputFlowUnit;
    const char* remedy = !roundingWorse                        ? "choose more points"
                         : unit == OutputFlowUnit::MgPerSec    ? "choose a higher idle flow"
                         : unit == OutputFlowUnit::TenMgPerSec ? "choose mg/sec"
                                                               : "choose 10*mg/sec";
    return {
        "table error", passed,
        (roundingWorse ? "rounding to whole words costs " : "interpolating between words costs ") +
            Pct(worst->pct) +
            FormatC(" at %.4g %s (limit %g %%)", worst->atResponse,
                    ResponseSymbol(run.set.responseKind), limit) +
            (passed ? "" : std::string(": ") + remedy)};
}

} // namespace

TableCheck CheckFlowTable(const Reduction& lastRun, const OutputParameters& output,
                          const CheckThresholds& thresholds)
{
    const double idleFlowGs = thresholds.idleFlowGs;
    TableCheck t;
    t.output = output;
    const MeasurementSet& set = lastRun.set;
    const auto [lowest, highest] = MeasuredResponseRange(set);
    const double factor = OutputUnitFactor(output.outputFlowUnit);
    // Plain locals rather than the record's fields: this loop runs for every
    // word of every file of a batch.
    const double scale = output.wordScale;
    const double high = InfoOf(output.wordType).high;
    double minWord = HUGE_VAL, maxWord = -HUGE_VAL;
    int index = 0, outside = 0;
    TableBreakpoint p, previous{};
    for (TableBreakpoints points(lastRun, output); points.Next(p); previous = p, ++index) {
        minWord = std::min(minWord, p.word);
        maxWord = std::max(maxWord, p.word);
        t.wordsBelow0 += p.word < 0;
        t.wordsAbove32767 += p.word > 32767;
        t.wordsAbove65535 += p.word > 65535;
        t.wordsAboveLimit += p.word > thresholds.maxWord;
        if (p.saturated)
            ++(p.word == high ? t.wordsSaturatedHigh : t.wordsSaturatedLow);
        const bool out = p.response < lowest || p.response > highest;
        outside += out;
        if (index > 0 && p.word < previous.word && !t.firstDecrease)
            t.firstDecrease = index;
        if (!(p.flowGs >= idleFlowGs))
            continue;
        KeepLargest(t.maxRoundingError, PercentError(p.word / scale, p.flowGs * factor),
                    p.response);
        if (index > 0 && previous.flowGs >= idleFlowGs && output.breakpoints.empty()) {
            const double mid = (previous.response + p.response) / 2;
            const double flow = FlowAt(lastRun, mid) * factor;
            KeepLargest(t.maxInterpolationError,
                        PercentError((previous.word + p.word) / 2.0 / scale, flow), mid);
        }
    }
    if (!output.breakpoints.empty()) {
        const FlowModel model = ChosenModel(lastRun);
        t.maxInterpolationError = InterpolationError(model, output.breakpoints, idleFlowGs);
        t.evenInterpolationError = InterpolationError(
            model,
            EvenBreakpoints(output.breakpoints.front(), output.breakpoints.back(),
                            static_cast<int>(output.breakpoints.size())),
            idleFlowGs);
    }
    if (index > 0) {
        t.minWord = minWord;
        t.maxWord = maxWord;
    }
    t.extrapolatedPct = t.WordCount() > 0 ? 100.0 * outside / t.WordCount() : 0.0;
    t.wordsInside = index - outside;
    if (lastRun.set.responseKind == ResponseKind::Freq) { // as WriteFlowTable writes them
        t.frameWords = {TruncToInt(output.responseMin), TruncToInt(output.responseMax)};
        for (const int word : t.frameWords)
            t.frameWordsOutOfRange += word < 0 || word > thresholds.maxWord;
    }
    t.flowAtResponseMaxGs = FlowAt(lastRun, output.responseMax);
    return t;
}

namespace {

// The "converged" check of a model other than King's equation.
Check ModelMadeCheck(const ModelAssessment& m)
{
    const std::string name = ModelName(m.model.kind);
    if (!m.made)
        return {"converged", false, name + ": not made: " + m.why};
    if (!m.converged)
        return {"converged", false, name + ": " + m.why + ": these parameters are not a fit"};
    switch (m.model.kind) {
    case ModelKind::KingOffset:
        return {"converged", true, name + ": converged"};
    case ModelKind::Poly:
        return {"converged", true,
                FormatC("poly: order %d by weighted least squares", m.model.ParameterCount() - 1)};
    case ModelKind::Monotone:
    case ModelKind::King:
        break;
    }
    return {"converged", true,
            FormatC("monotone: through %zu rows", m.model.knots.responses.size())};
}

} // namespace

std::string FlowErrorDetail(const LargestError& e, bool leaveOneOut, double limitPct)
{
    return std::string(leaveOneOut ? "largest leave-one-out flow error " : "largest flow error ") +
           Pct(e.pct) + FormatC(" at row %d (limit %g %%)", e.row, limitPct);
}

std::optional<LargestError> CheckedFlowError(const Reduction& lastRun, const FitQuality& quality)
{
    const ModelAssessment* chosen = ChosenAssessment(lastRun);
    return lastRun.model.kind == ModelKind::Monotone && chosen ? chosen->looMaxFlowError
                                                               : quality.maxFlowError;
}

std::vector<Check> RunChecks(const Reduction& lastRun, const FitQuality& quality,
                             const TableCheck& table, const CheckThresholds& thresholds)
{
    const FitOutcome& fit = lastRun.outcome;
    std::vector<Check> checks;
    const ModelAssessment* chosen = ChosenAssessment(lastRun);
    const bool king = lastRun.model.kind == ModelKind::King;
    if (!king && chosen)
        checks.push_back(ModelMadeCheck(*chosen));
    else if (fit.mode == FitMode::Linear)
        checks.push_back(
            {"converged", fit.converged, fit.converged ? "linear mode: " + fit.stop : fit.stop});
    else
        checks.push_back({"converged", fit.converged,
                          fit.converged
                              ? ConvergedText(fit)
                              : FormatC("stopped after %d evaluations (", fit.evaluations) +
                                    fit.stop + "): these coefficients are not a fit"});
    // The interpolant passes through every row: only its leave-one-out error tells.
    const bool leaveOneOut = lastRun.model.kind == ModelKind::Monotone;
    const std::optional<LargestError> judged = CheckedFlowError(lastRun, quality);
    if (judged)
        checks.push_back({"flow error", std::fabs(judged->pct) <= thresholds.maxFlowErrorPct,
                          FlowErrorDetail(*judged, leaveOneOut, thresholds.maxFlowErrorPct)});
    else if (leaveOneOut)
        checks.push_back({"flow error", false,
                          FormatC("no row but the first and last has a flow of at least %g g/s "
                                  "to predict",
                                  quality.idleFlowGs)});
    else // nothing to judge is no pass
        checks.push_back({"flow error", false,
                          FormatC("no row has a flow of at least %g g/s", quality.idleFlowGs)});
    checks.push_back(WordRangeCheck(table, thresholds.maxWord));
    if (table.firstDecrease)
        checks.push_back(
            {"monotonic", false,
             FormatC("word %d is smaller than the word before it", *table.firstDecrease)});
    else
        checks.push_back({"monotonic", true, "no word is smaller than the word before it"});
    checks.push_back(TableErrorCheck(lastRun, table, thresholds.maxTableErrorPct));
    checks.push_back(CoverageCheck(table));
    if (thresholds.maxExtrapolatedPct)
        checks.push_back(ExtrapolationCheck(table, *thresholds.maxExtrapolatedPct));
    return checks;
}

bool Verdict::Passed() const
{
    return std::all_of(checks.begin(), checks.end(), [](const Check& c) { return c.passed; });
}

namespace {

// The guarded decision rule: the largest |error| + U % over the rows at or
// above the idle flow (for the interpolant, its leave-one-out error at its row).
Check GuardedFlowErrorCheck(const Reduction& lastRun, const FitQuality& quality,
                            const UncertaintyBudget& budget, double limitPct)
{
    std::optional<std::size_t> worst;
    double worstMargin = 0.0, worstError = 0.0;
    const std::optional<LargestError> loo = lastRun.model.kind == ModelKind::Monotone
                                                ? CheckedFlowError(lastRun, quality)
                                                : std::nullopt;
    for (std::size_t i = 0; i < quality.rows.size() && i < budget.rows.size(); ++i) {
        std::optional<double> error = quality.rows[i].flowErrorPct;
        if (loo)
            error =
                static_cast<std::size_t>(loo->row) == i ? std::optional(loo->pct) : std::nullopt;
        if (!error || !std::isfinite(budget.rows[i].expandedPct))
            continue;
        const double margin = std::fabs(*error) + budget.rows[i].expandedPct;
        if (!worst || margin > worstMargin) {
            worst = i;
            worstMargin = margin;
            worstError = *error;
        }
    }
    if (!worst)
        return {"flow error", false,
                FormatC("guarded: no row has a flow of at least %g g/s", quality.idleFlowGs)};
    return {"flow error", worstMargin <= limitPct,
            FormatC("guarded: largest |flow error| + U %.2f %% at row %zu (%+.2f %% + %.2f %%, "
                    "limit %g %%)",
                    worstMargin, *worst, worstError, budget.rows[*worst].expandedPct, limitPct)};
}

} // namespace

Verdict JudgeCalibration(const Reduction& lastRun, const OutputParameters& output,
                         const CheckThresholds& thresholds, const BudgetInputs& budget)
{
    Verdict verdict;
    verdict.budgetInputs = budget;
    verdict.quality = AssessFit(lastRun, thresholds.idleFlowGs);
    if (lastRun.outcome.fitted) {
        verdict.table = CheckFlowTable(lastRun, output, thresholds);
        verdict.checks = RunChecks(lastRun, verdict.quality, *verdict.table, thresholds);
        verdict.uncertainty = FlowUncertaintyTable(lastRun, verdict.quality);
        if (budget.Wanted()) {
            std::string why = "the fit is not usable";
            if (HasUsableFit(lastRun))
                verdict.budget = MakeUncertaintyBudget(lastRun, verdict.quality, budget, why);
            if (!verdict.budget)
                verdict.budgetProblem = why;
        }
        if (verdict.budget) {
            verdict.uncertainty.clear();
            for (const BudgetPoint& p : verdict.budget->table)
                verdict.uncertainty.push_back({p.response, p.flowGs, p.expandedGs, p.expandedPct,
                                               p.coverageFactor, p.mcLowGs, p.mcHighGs,
                                               p.linearValid});
        }
        // Without a budget the guarded rule has no U to add: it must not pass on the error alone.
        if (budget.guarded)
            for (Check& check : verdict.checks)
                if (check.name == "flow error")
                    check = verdict.budget
                                ? GuardedFlowErrorCheck(lastRun, verdict.quality, *verdict.budget,
                                                        thresholds.maxFlowErrorPct)
                                : Check{"flow error", false,
                                        "guarded: no uncertainty budget (" +
                                            *verdict.budgetProblem + ")"};
        if (lastRun.comparison)
            verdict.modelHint = BetterModelHint(*lastRun.comparison, lastRun.model.kind,
                                                lastRun.set, thresholds.maxFlowErrorPct);
    }
    return verdict;
}

} // namespace tovarin
