#include "VerdictSummary.h"

#include "NumberText.h"

namespace tovarin {

namespace {

// "FAIL flow error -40.30 % (row 6), limit 2 %", "FAIL word range: <detail>".
std::string FailedChecksText(const Verdict& verdict, const CheckThresholds& thresholds)
{
    std::string text;
    for (const Check& check : verdict.checks) {
        if (check.passed)
            continue;
        text += text.empty() ? "FAIL " : " \u00b7 FAIL ";
        const std::optional<LargestError>& e = verdict.quality.maxFlowError;
        if (check.name == "flow error" && e)
            text += FormatC("flow error %+.2f %% (row %d), limit %g %%", e->pct, e->row,
                            thresholds.maxFlowErrorPct);
        else
            text += check.name + ": " + check.detail;
    }
    return text;
}

} // namespace

StatusLine NoFitStatusLine(const Reduction& run)
{
    const int rows = run.set.rowCount;
    std::string why = FormatC("No fit: %d %s in use, a fit needs at least 3", rows,
                              rows == 1 ? "row is" : "rows are");
    if (run.tableEnd == TableEnd::FlowNotGreater)
        why += FormatC(" (the flow of row %d is not greater than the one above)", rows);
    return {why + ". Nothing can be written until a run fits.", true};
}

StatusLine RunStatusLine(const Reduction& lastRun, const Verdict& verdict,
                         const CheckThresholds& thresholds)
{
    const FitQuality& quality = verdict.quality;
    const FitOutcome& fit = lastRun.outcome;
    if (!fit.fitted)
        return {"Type at least three rows of flow and response, then press \"Run Test\".", false};
    if (!fit.converged)
        return {fit.mode == FitMode::NonLinear
                    ? FormatC("Not converged: stopped after %d evaluations. These coefficients "
                              "are not a fit.",
                              fit.evaluations)
                    : "Not a fit: a coefficient is not a finite number.",
                true};
    if (const std::string failed = FailedChecksText(verdict, thresholds); !failed.empty())
        return {verdict.modelHint ? failed + " \u00b7 " + *verdict.modelHint : failed, true};
    const char* unit = ResponseSymbol(lastRun.set.responseKind);
    const ModelAssessment* chosen = ChosenAssessment(lastRun);
    const bool otherModel = lastRun.model.kind != ModelKind::King;
    std::string text = otherModel
                           ? std::string("Model ") + ModelName(lastRun.model.kind) + " \u00b7 "
                           : std::string();
    text += quality.maxFlowError
                ? FormatC("Flow error at most %+.2f %% (row %d)", quality.maxFlowError->pct,
                          quality.maxFlowError->row)
                : FormatC("No row of at least %g g/s for a flow error", quality.idleFlowGs);
    if (otherModel && chosen && chosen->looMaxFlowError)
        text += FormatC(" \u00b7 leave-one-out %+.2f %%", chosen->looMaxFlowError->pct);
    text += quality.rmsResidual ? FormatC(" \u00b7 RMS %.3g %s", *quality.rmsResidual, unit)
                                : std::string(" \u00b7 RMS undefined for 3 rows");
    if (quality.rSquared)
        text += FormatC(" \u00b7 R\u00b2 %.5f", *quality.rSquared);
    if (!otherModel) // the mode and convergence are King's fit's
        text += fit.mode == FitMode::Linear ? std::string(" \u00b7 linear mode")
                                            : " \u00b7 " + ConvergedText(fit);
    return {text, false};
}

std::string FlowErrorTooltip(const FitQuality& quality, std::size_t row)
{
    if (row >= quality.rows.size() || !quality.rows[row].flowErrorPct)
        return "Flow error undefined: the flow is 0 or the fit gives no flow here.";
    return FormatC("Flow error %+.2f %%", *quality.rows[row].flowErrorPct);
}

std::string CoefficientTooltip(double value, const std::optional<double>& standardError)
{
    return FormatC("%.17g", value) + "\nstandard error " +
           (standardError ? FormatC("%.3g", *standardError) : std::string("undefined"));
}

std::string FailedChecksMessage(const Verdict& verdict)
{
    std::string text = "The table was written, but it fails these checks:";
    for (const Check& check : verdict.checks)
        if (!check.passed)
            text += "\n- " + check.name + ": " + check.detail;
    return text;
}

} // namespace tovarin
