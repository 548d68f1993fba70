#include "RecordUncertainty.h"

#include "BudgetText.h"
#include "NumberText.h"
#include "RecordHtml.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tovarin {
namespace {

constexpr const char* kPointNames[] = {"Idle", "Middle", "Full scale"};

bool IsInterpolant(const Reduction& run)
{
    return run.model.kind == ModelKind::Monotone;
}

std::string ReadingText(const ReadingUncertainty& u, const char* absUnit)
{
    return FormatC("%g %% of reading + %g %s", u.pct, u.abs, absUnit);
}

// What U includes, one clause per source given.
std::string Includes(const Reduction& run, const Verdict& verdict)
{
    const BudgetInputs& in = verdict.budgetInputs;
    const char* unit = ResponseSymbol(run.set.responseKind);
    std::string text = "U includes: ";
    if (in.reference)
        text += "the reference standard (" + ReadingText(*in.reference, "g/s") +
                ", k = 2, one standard common to every row with flow); ";
    if (in.response)
        text += "the response meter (" + ReadingText(*in.response, unit) +
                ", k = 2, independent from row to row); ";
    if (in.resolution)
        text += FormatC("the response resolution (%g %s, rectangular); ", *in.resolution, unit);
    text += IsInterpolant(run)
                ? "the interpolant's leave-one-out error, as the half-width of a rectangular "
                  "distribution."
                : FormatC("the scatter of the rows about the fit (the coefficients' covariance, "
                          "%d degrees of freedom), kept in full although it overlaps the response "
                          "meter's: conservative.",
                          verdict.quality.dof);
    if (in.cmcPct)
        text += FormatC(" No U is smaller than the laboratory's calibration and measurement "
                        "capability of %g %% of reading.",
                        *in.cmcPct);
    return text;
}

std::string Method(const UncertaintyBudget& b)
{
    std::string text = "Linear propagation (GUM) through refits of the model to the moved rows, "
                       "effective degrees of freedom by Welch-Satterthwaite, k for 95 %";
    if (b.trials)
        text += FormatC(", checked by a Monte Carlo of %d trials (JCGM 101, %s, seed %llu",
                        b.trials, b.adaptive ? "adaptive" : "fixed count",
                        static_cast<unsigned long long>(kBudgetSeed)) +
                (b.failedTrials ? FormatC(", %d trials whose refit failed left out", b.failedTrials)
                                : "") +
                ")";
    return text + ". U is rounded up to two significant digits, in g/s and in % separately.";
}

std::string BudgetTable(const Reduction& run, const UncertaintyBudget& b)
{
    const bool interpolant = IsInterpolant(run);
    const char* unit = ResponseSymbol(run.set.responseKind);
    std::string html = "<table class=\"budget\"><caption>Uncertainty budget</caption><tr><th "
                       "class=\"text\" rowspan=\"2\">Source</th><th rowspan=\"2\">Unit</th><th "
                       "rowspan=\"2\">&#957;</th>";
    for (std::size_t k = 0; k < b.atBudget.size(); ++k)
        html += "<th colspan=\"3\">" +
                EscapeMarkup(FormatC("%s, %.4g %s", kPointNames[k], b.atBudget[k].response, unit)) +
                "</th>";
    html += "</tr><tr>";
    for (std::size_t k = 0; k < b.atBudget.size(); ++k)
        html += "<th>u</th><th>c</th><th>c &#183; u (g/s)</th>";
    html += "</tr>";
    for (const BudgetSource& s : b.sources) {
        html += "<tr>" + RecordCell(BudgetSourceName(s.kind, interpolant), true) +
                RecordCell(BudgetSourceUnit(s.kind, interpolant, unit), true) +
                RecordCell(s.dof ? std::to_string(*s.dof) : "infinite");
        for (const SourceAt& at : s.at)
            html += RecordCell(FormatC("%.3g", at.inputStandard)) +
                    RecordCell(FormatC("%.3g", at.sensitivity)) +
                    RecordCell(FormatC("%.3g", at.contributionGs));
        html += "</tr>";
    }
    auto resultRow = [&](const char* name, auto text) {
        html += "<tr><th class=\"text\" colspan=\"3\">" + std::string(name) + "</th>";
        for (const BudgetPoint& p : b.atBudget)
            html += "<td colspan=\"3\">" + EscapeMarkup(text(p)) + "</td>";
        html += "</tr>";
    };
    resultRow("Combined u (g/s)",
              [](const BudgetPoint& p) { return FormatC("%.3g", p.combinedGs); });
    resultRow("Effective degrees of freedom", [](const BudgetPoint& p) {
        return p.effectiveDof ? std::to_string(*p.effectiveDof) : std::string("infinite");
    });
    resultRow("Coverage factor k (95 %)",
              [](const BudgetPoint& p) { return FormatC("%.3f", p.coverageFactor); });
    resultRow("Expanded U (g/s)", [](const BudgetPoint& p) { return TwoDigitsUp(p.expandedGs); });
    resultRow("Expanded U (%)", [](const BudgetPoint& p) { return TwoDigitsUp(p.expandedPct); });
    return html + "</table><p>u: the source's standard uncertainty at the row nearest the "
                  "response, in its unit; c: its sensitivity; c &#183; u: its contribution to "
                  "u(Q); &#957;: degrees of freedom.</p>";
}

std::string PointNote(const BudgetPoint& p)
{
    if (p.cmcFloor)
        return "CMC";
    if (p.linearValid && !*p.linearValid)
        return "Monte Carlo";
    return "";
}

// An end of the Monte Carlo interval one decimal finer than U, so that it
// shows where the interval lies against the flow. Near zero flow the drawn
// scatter can put an end a hair below 0: that prints as 0, not "-0.000".
std::string MonteCarloEnd(const BudgetPoint& p, double end)
{
    std::string text = FormatC("%.*f", TwoDigitDecimals(p.expandedGs) + 1, end);
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string PointTable(const UncertaintyBudget& b)
{
    std::string html =
        "<table class=\"points\"><caption>Flow uncertainty per response</caption><tr><th>Response</"
        "th><th>Flow (g/s)</th><th>U linear (g/s)</th><th>Monte Carlo 95 % "
        "(g/s)</th><th>Linear valid</th><th>U (g/s)</th><th>U (%)</th><th "
        "class=\"text\">U from</th></tr>";
    for (const BudgetPoint& p : b.table)
        html +=
            "<tr>" + RecordCell(FormatC("%.4g", p.response)) +
            RecordCell(FormatC("%.4g", p.flowGs)) + RecordCell(TwoDigitsUp(p.linearExpandedGs)) +
            RecordCell(p.mcLowGs && p.mcHighGs
                           ? MonteCarloEnd(p, *p.mcLowGs) + " to " + MonteCarloEnd(p, *p.mcHighGs)
                           : std::string("not run")) +
            RecordCell(p.linearValid ? (*p.linearValid ? "yes" : "no") : "not judged") +
            RecordCell(TwoDigitsUp(p.expandedGs)) + RecordCell(TwoDigitsUp(p.expandedPct)) +
            RecordCell(PointNote(p), true) + "</tr>";
    html += "</table>";
    const bool anyInvalid = std::any_of(b.table.begin(), b.table.end(), [](const BudgetPoint& p) {
        return p.linearValid && !*p.linearValid;
    });
    if (anyInvalid)
        html += "<p>Where the linear interval is not valid, one of its ends differs from the Monte "
                "Carlo interval's by more than half a unit of the second significant digit of u "
                "(JCGM 101, 8): there the linear method's approximations (a model linear over the "
                "inputs' spread, a t distribution with the effective degrees of freedom) do not "
                "hold to the digits stated, and U is the larger half-width of the Monte Carlo "
                "interval, which need not be symmetric about the flow.</p>";
    return html;
}

// The scatter-only table the record has always had, titled for what it is.
std::string ScatterTable(const Verdict& verdict)
{
    std::string html =
        FormatC("<p>Expanded uncertainty U = k &#183; u of the fitted flow, coverage factor "
                "k = %.3f (Student's t, 95 %%, %d degrees of freedom), propagated from the "
                "coefficients' covariance.</p>",
                verdict.uncertainty[0].coverageFactor, verdict.quality.dof) +
        "<table><caption>" + kScatterOnlyTitle +
        "</caption><tr><th>Response</th><th>Flow (g/s)</th><th>U (g/s)</th><th>U (%)</th></tr>";
    for (const FlowUncertainty& u : verdict.uncertainty)
        html += "<tr>" + RecordCell(FormatC("%.4g", u.response)) +
                RecordCell(FormatC("%.4g", u.flowGs)) + RecordCell(FormatC("%.2g", u.expandedGs)) +
                RecordCell(FormatC("%.2g", u.expandedPct)) + "</tr>";
    return html + "</table>";
}

} // namespace

std::string RecordSummarySection(const Verdict& verdict)
{
    std::string failed;
    for (const Check& check : verdict.checks)
        if (!check.passed)
            failed += (failed.empty() ? "" : ", ") + check.name;
    std::string text = verdict.checks.empty() ? "Checks: none (no fit)."
                       : failed.empty()       ? "Checks: passed."
                                              : "Checks: FAILED (" + failed + ").";
    text += verdict.budgetInputs.guarded
                ? " Decision rule: guarded acceptance (ISO/IEC 17025, 7.8.6): a row passes the "
                  "flow error check only if |flow error| + U is within the limit."
                : " Decision rule: simple acceptance: the flow error alone against its limit.";
    if (const std::optional<UncertaintyBudget>& b = verdict.budget) {
        // Over every response the record states U at: the table's and the budget's
        // (idle lies below the table's second response on most sensors).
        std::vector<BudgetPoint> stated = b->table;
        stated.insert(stated.end(), b->atBudget.begin(), b->atBudget.end());
        double low = 0.0, high = 0.0;
        bool any = false;
        for (const BudgetPoint& p : stated)
            if (std::isfinite(p.expandedPct)) {
                low = any ? std::min(low, p.expandedPct) : p.expandedPct;
                high = any ? std::max(high, p.expandedPct) : p.expandedPct;
                any = true;
            }
        text += any ? " Expanded uncertainty of flow " + TwoDigitsUp(low) + " % to " +
                          TwoDigitsUp(high) + " % of reading (95 %), from the budget below."
                    : " Expanded uncertainty of flow: undefined.";
    } else if (verdict.uncertainty.empty()) {
        text += " Uncertainty: not stated.";
    } else {
        text +=
            (verdict.budgetProblem ? " Uncertainty: no budget (" + *verdict.budgetProblem + "); "
                                   : std::string(" Uncertainty: ")) +
            kScatterOnlyTitle + ".";
    }
    return "<section id=\"summary\"><h2>Summary</h2><p>" + EscapeMarkup(text) + "</p></section>\n";
}

std::string RecordUncertaintySection(const Reduction& lastRun, const Verdict& verdict)
{
    std::string html = "<section id=\"uncertainty\"><h2>Flow uncertainty</h2>";
    if (const std::optional<UncertaintyBudget>& b = verdict.budget)
        return html + "<p>" + EscapeMarkup(Includes(lastRun, verdict)) + "</p><p>" +
               EscapeMarkup(Method(*b)) + "</p>" + BudgetTable(lastRun, *b) + PointTable(*b) +
               "</section>\n";
    if (verdict.budgetProblem)
        html +=
            "<p class=\"failed\">No uncertainty budget: " + EscapeMarkup(*verdict.budgetProblem) +
            ".</p>";
    if (verdict.uncertainty.empty())
        return html + "<p>Not stated: the coefficients' covariance is undefined (a linear-mode "
                      "fit, no degree of freedom, or a singular fit).</p></section>\n";
    return html + ScatterTable(verdict) + "</section>\n";
}

} // namespace tovarin
