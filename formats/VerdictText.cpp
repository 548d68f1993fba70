#include "VerdictText.h"

#include "BudgetText.h"
#include "JsonText.h"
#include "NumberText.h"
#include "TableFormats.h"

#include <cmath>

namespace tovarin {
namespace {

std::string FitJson(const FitOutcome& fit)
{
    return "\"fit\": {\"converged\": " + std::string(fit.converged ? "true" : "false") +
           ", \"stop\": " + JsonString(fit.fitted ? fit.stop : "fewer than 3 rows in use") +
           ", \"evaluations\": " + std::to_string(fit.evaluations) +
           ", \"start\": " + (fit.secondStart ? "\"second\"" : "\"default\"") + "}";
}

std::string QualityJson(const FitQuality& q, const std::optional<UncertaintyBudget>& budget)
{
    auto largest = [](const std::optional<LargestError>& e, const char* name) {
        return ", \"" + std::string(name) +
               "Pct\": " + JsonNumber(e ? std::optional(e->pct) : std::nullopt) + ", \"" + name +
               "Row\": " + JsonInt(e ? std::optional(e->row) : std::nullopt);
    };
    std::string json = "\"quality\": {\"dof\": " + std::to_string(q.dof) +
                       ", \"rmsResidual\": " + JsonNumber(q.rmsResidual) +
                       ", \"rSquared\": " + JsonNumber(q.rSquared) +
                       largest(q.maxResponseError, "maxResponseError") +
                       largest(q.maxFlowError, "maxFlowError") +
                       ", \"idleFlowGs\": " + JsonNumber(q.idleFlowGs);
    if (const std::optional<CoefficientUncertainty>& u = q.uncertainty)
        json += ", \"standardErrors\": {\"a\": " + JsonNumber(u->a) +
                ", \"b\": " + JsonNumber(u->b) + ", \"c\": " + JsonNumber(u->c) +
                "}, \"correlations\": {\"ab\": " + JsonNumber(u->ab) +
                ", \"ac\": " + JsonNumber(u->ac) + ", \"bc\": " + JsonNumber(u->bc) + "}";
    else
        json += ", \"standardErrors\": null, \"correlations\": null";
    json += ", \"rows\": [";
    for (std::size_t i = 0; i < q.rows.size(); ++i) {
        json += i ? ", {" : "{";
        AppendNumberMember(json, "responseErrorPct", q.rows[i].responseErrorPct, true);
        AppendNumberMember(json, "flowErrorPct", q.rows[i].flowErrorPct);
        AppendNumberMember(json, "expandedUncertaintyPct",
                           budget && i < budget->rows.size()
                               ? std::optional(budget->rows[i].expandedPct)
                               : std::nullopt);
        json += '}';
    }
    return json + "]}";
}

// The larger of the two table errors, which the table check reports.
const std::optional<ErrorAtResponse>& WorstTableError(const TableCheck& t)
{
    if (!t.maxRoundingError)
        return t.maxInterpolationError;
    if (!t.maxInterpolationError)
        return t.maxRoundingError;
    return std::fabs(t.maxRoundingError->pct) >= std::fabs(t.maxInterpolationError->pct)
               ? t.maxRoundingError
               : t.maxInterpolationError;
}

std::string BreakpointsJson(const OutputParameters& output)
{
    if (output.breakpoints.empty())
        return "null";
    std::string json = "[";
    for (const double b : output.breakpoints)
        json += (json.size() > 1 ? ", " : "") + JsonNumber(b);
    return json + "]";
}

std::string TableJson(const std::optional<TableCheck>& table)
{
    if (!table)
        return "\"table\": null";
    const TableCheck& t = *table;
    const std::optional<OutputFlowUnit>& unit = t.output.outputFlowUnit;
    auto pct = [](const std::optional<ErrorAtResponse>& e) {
        return JsonNumber(e ? std::optional(e->pct) : std::nullopt);
    };
    const std::optional<ErrorAtResponse>& worst = WorstTableError(t);
    return "\"table\": {\"points\": " + std::to_string(t.output.pointCount) +
           ", \"outputUnit\": " + (unit ? JsonString(OutputFlowUnitLabel(*unit)) : "null") +
           ", \"responseMin\": " + JsonNumber(t.output.responseMin) +
           ", \"responseMax\": " + JsonNumber(t.output.responseMax) +
           ", \"minWord\": " + JsonNumber(t.minWord) + ", \"maxWord\": " + JsonNumber(t.maxWord) +
           ", \"wordsBelow0\": " + std::to_string(t.wordsBelow0) +
           ", \"wordsAbove32767\": " + std::to_string(t.wordsAbove32767) +
           ", \"wordsAbove65535\": " + std::to_string(t.wordsAbove65535) +
           ", \"monotonic\": " + (t.Monotonic() ? "true" : "false") +
           ", \"firstDecrease\": " + JsonInt(t.firstDecrease) +
           ", \"maxRoundingErrorPct\": " + pct(t.maxRoundingError) +
           ", \"maxInterpolationErrorPct\": " + pct(t.maxInterpolationError) +
           ", \"atResponse\": " +
           JsonNumber(worst ? std::optional(worst->atResponse) : std::nullopt) +
           ", \"extrapolatedPct\": " + JsonNumber(t.extrapolatedPct) +
           ", \"flowAtResponseMaxGs\": " + JsonNumber(t.flowAtResponseMaxGs) +
           ", \"frameWordsOutOfRange\": " + std::to_string(t.frameWordsOutOfRange) +
           ", \"breakpoints\": " + BreakpointsJson(t.output) +
           ", \"wordType\": " + JsonString(InfoOf(t.output.wordType).name) +
           ", \"wordScale\": " + JsonNumber(t.output.wordScale) +
           ", \"format\": " + JsonString(TableFormatName(t.output.tableFormat)) +
           ", \"placedInterpolationErrorPct\": " +
           (t.output.placedBreakpoints ? pct(t.maxInterpolationError) : "null") +
           ", \"evenInterpolationErrorPct\": " + pct(t.evenInterpolationError) + "}";
}

std::string FailedNames(const Verdict& verdict)
{
    std::string names;
    for (const Check& check : verdict.checks)
        if (!check.passed)
            names += (names.empty() ? "" : ", ") + check.name;
    return names;
}

std::string InputJson(const MeasurementSet& set)
{
    const std::optional<FlowUnit>& unit = set.flowUnit;
    const std::optional<ResponseKind>& kind = set.responseKind;
    std::string json =
        "\"input\": {\"flowUnit\": " + (unit ? JsonString(FlowUnitLabel(*unit)) : "null") +
        ", \"responseKind\": " + (kind ? JsonString(ResponseKindLabel(*kind)) : "null") +
        ", \"meterType\": " + JsonString(set.meterType) + ", \"rows\": [";
    for (int i = 0; i < set.rowCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        json += i ? ", {" : "{";
        AppendNumberMember(json, "flow", set.typedFlow[row], true);
        AppendNumberMember(json, "flowGs", set.flowGs[row]);
        AppendNumberMember(json, "response", set.response[row]);
        json += '}';
    }
    return json + "]}";
}

std::string UncertaintyJson(const std::vector<FlowUncertainty>& table)
{
    std::string json = "\"uncertainty\": [";
    for (std::size_t i = 0; i < table.size(); ++i) {
        json += i ? ", {" : "{";
        AppendNumberMember(json, "response", table[i].response, true);
        AppendNumberMember(json, "flowGs", table[i].flowGs);
        AppendNumberMember(json, "expandedUncertaintyGs", table[i].expandedGs);
        AppendNumberMember(json, "expandedUncertaintyPct", table[i].expandedPct);
        AppendNumberMember(json, "coverageFactor", table[i].coverageFactor);
        AppendNumberMember(json, "mcLowGs", table[i].mcLowGs);
        AppendNumberMember(json, "mcHighGs", table[i].mcHighGs);
        json += std::string(", \"linearValid\": ") +
                (table[i].linearValid ? (*table[i].linearValid ? "true}" : "false}") : "null}");
    }
    return json + "]";
}

} // namespace

std::string FormatVerdictJson(const Reduction& run, const Verdict& verdict)
{
    std::string checks = "\"checks\": [";
    for (std::size_t i = 0; i < verdict.checks.size(); ++i)
        checks += (i ? ", " : "") + std::string("{\"name\": ") +
                  JsonString(verdict.checks[i].name) +
                  ", \"passed\": " + (verdict.checks[i].passed ? "true" : "false") +
                  ", \"detail\": " + JsonString(verdict.checks[i].detail) + "}";
    return ", " + InputJson(run.set) + ", " + FitJson(run.outcome) + ", " +
           QualityJson(verdict.quality, verdict.budget) + ", " + TableJson(verdict.table) + ", " +
           checks + "], " + UncertaintyJson(verdict.uncertainty) + ", " +
           UncertaintyBudgetJson(verdict, run.model.kind == ModelKind::Monotone);
}

std::string FormatVerdictBlock(const Reduction& run, const Verdict& verdict)
{
    const FitOutcome& fit = run.outcome;
    const FitQuality& q = verdict.quality;
    const char* unit = ResponseSymbol(run.set.responseKind);
    std::string text = "\nFit:          ";
    if (fit.mode == FitMode::Linear)
        text +=
            std::string(fit.converged ? "" : "not converged: ") + "linear mode, " + fit.stop + "\n";
    else
        text += (fit.converged
                     ? ConvergedText(fit)
                     : FormatC("NOT CONVERGED: stopped after %d evaluations, ", fit.evaluations) +
                           fit.stop) +
                "\n";
    text += "RMS residual: " +
            (q.rmsResidual ? FormatC("%.4g %s", *q.rmsResidual, unit) : "undefined") +
            FormatC(" (dof %d), R^2 ", q.dof) +
            (q.rSquared ? FormatC("%.6f", *q.rSquared) : "undefined") + "\n";
    text += "Flow error:   " +
            (q.maxFlowError
                 ? FormatC("at most %+.3g %% (row %d", q.maxFlowError->pct, q.maxFlowError->row)
                 : std::string("undefined (no row")) +
            FormatC(", rows of at least %g g/s)\n", q.idleFlowGs);
    if (const std::optional<TableCheck>& t = verdict.table) {
        const std::optional<OutputFlowUnit>& out = t->output.outputFlowUnit;
        text += FormatC("Table:        %d words", t->WordCount()) +
                (t->minWord ? " from " + WordText(*t->minWord, t->output.wordType) + " to " +
                                  WordText(*t->maxWord, t->output.wordType)
                            : "") +
                " in " + (out ? OutputFlowUnitLabel(*out) : "g/sec") +
                (t->Monotonic() ? ", monotonic" : ", NOT monotonic");
        if (const std::optional<ErrorAtResponse>& e = WorstTableError(*t))
            text +=
                FormatC(", largest table error %+.3g %% at %.4g %s", e->pct, e->atResponse, unit);
        text += FormatC(", %.3g %% extrapolated\n", t->extrapolatedPct);
        if (t->evenInterpolationError && t->maxInterpolationError)
            text += FormatC("Breakpoints:  %zu %s, interpolation error %+.3g %% at %.4g %s; %zu "
                            "evenly spaced: %+.3g %%\n",
                            t->output.breakpoints.size(),
                            t->output.placedBreakpoints ? "placed" : "given",
                            t->maxInterpolationError->pct, t->maxInterpolationError->atResponse,
                            unit, t->output.breakpoints.size(), t->evenInterpolationError->pct);
    }
    text += BudgetReadableLine(verdict, unit);
    const std::string failed = FailedNames(verdict);
    text +=
        "Checks:       " + (failed.empty() ? std::string("passed") : "failed: " + failed) + "\n";
    return text;
}

std::string FlowErrorText(const Verdict& verdict, std::size_t row)
{
    if (row >= verdict.quality.rows.size() || !verdict.quality.rows[row].flowErrorPct)
        return "undef";
    return FormatFixed(*verdict.quality.rows[row].flowErrorPct, 4, 2);
}

} // namespace tovarin
