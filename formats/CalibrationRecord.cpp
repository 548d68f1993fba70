#include "CalibrationRecord.h"

#include "ModelText.h"

#include "FieldText.h"
#include "Markup.h"
#include "NumberText.h"
#include "RecordHtml.h"
#include "RecordUncertainty.h"
#include "RunPlots.h"

#include <algorithm>
#include <ctime>

namespace tovarin {
namespace {

constexpr const char* kStyle =
    "body{font-family:'DejaVu Sans',Arial,sans-serif;font-size:10pt;margin:0 auto;max-width:180mm}"
    "h1{font-size:15pt}h2{font-size:12pt;margin-top:14pt;border-bottom:1px solid #888}"
    "table{border-collapse:collapse}td,th{border:1px solid #aaa;padding:1pt 5pt;text-align:right}"
    "th{background:#eee}caption{font-weight:bold;text-align:left;padding:2pt 0}"
    "table.budget{font-size:8pt}table.points "
    "td{white-space:nowrap}td.text,th.text{text-align:left}.failed{color:#b00000;font-"
    "weight:bold}"
    ".passed{color:#006000}.unjudged{color:#666}.charts svg{display:block;margin:6pt "
    "0;break-inside:avoid;"
    "page-break-inside:avoid}section{break-inside:avoid-page}"
    "@page{size:A4;margin:15mm}@media print{body{max-width:none}}";

std::string Pct(const std::optional<double>& pct)
{
    return pct ? FormatC("%+.2f", *pct) : "undefined";
}

std::string Identification(const Reduction& run, const RecordIdentity& id)
{
    const std::pair<const char*, std::string> rows[] = {
        {"Meter type", run.set.meterType},  {"Serial number", id.serial},
        {"Operator", id.operatorName},      {"Reference standard", id.reference},
        {"Conditions", id.conditions},      {"Note", id.note},
        {"Reduced (UTC)", id.reducedAtUtc}, {"Program", id.program}};
    std::string html = "<section id=\"identification\"><h2>Identification</h2><table>";
    for (const auto& [name, value] : rows)
        html += "<tr><th class=\"text\">" + std::string(name) + "</th>" + RecordCell(value, true) +
                "</tr>";
    return html + "</table></section>\n";
}

std::string Rows(const Reduction& run, const Verdict& verdict)
{
    const MeasurementSet& set = run.set;
    const std::optional<FlowUnit>& unit = set.flowUnit;
    const std::optional<ResponseKind>& kind = set.responseKind;
    std::string html =
        "<section id=\"rows\"><h2>Measured rows</h2><table><tr><th>Row</th><th>Flow (" +
        std::string(unit ? FlowUnitLabel(*unit) : "?") + ")</th><th>Flow (g/s)</th><th>Response (" +
        (kind ? ResponseKindLabel(*kind) : "?") +
        ")</th><th>Fitted response</th><th>Response error %</th><th>Flow error "
        "%</th></tr>";
    for (std::size_t row = 0; row < verdict.quality.rows.size(); ++row)
        html += "<tr>" + RecordCell(std::to_string(row)) +
                RecordCell(FormatRestoredValue(set.typedFlow[row])) +
                RecordCell(FormatC("%.6g", set.flowGs[row])) +
                RecordCell(FormatRestoredValue(set.response[row])) +
                RecordCell(FormatC("%.6g", run.model.kind == ModelKind::King
                                               ? KingResponse(set.flowGs[row], run.coefficients)
                                               : set.fittedResponse[row])) +
                RecordCell(Pct(verdict.quality.rows[row].responseErrorPct)) +
                RecordCell(Pct(verdict.quality.rows[row].flowErrorPct)) + "</tr>";
    return html + "</table></section>\n";
}

std::string Fit(const Reduction& run, const Verdict& verdict)
{
    const KingCoefficients& k = run.coefficients;
    const FitQuality& q = verdict.quality;
    const std::optional<CoefficientUncertainty>& u = q.uncertainty;
    std::string html = "<section id=\"fit\"><h2>Fit: Response = a + b &#183; flow<sup>c</sup></h2>"
                       "<table><tr><th></th><th>As shown</th><th>Full precision</th><th>Standard "
                       "error</th></tr>";
    const std::pair<const char*, std::pair<double, std::optional<double>>> rows[] = {
        {"a", {k.a, u ? std::optional(u->a) : std::nullopt}},
        {"b", {k.b, u ? std::optional(u->b) : std::nullopt}},
        {"c", {k.c, u ? std::optional(u->c) : std::nullopt}}};
    for (const auto& [name, value] : rows)
        html += "<tr><th>" + std::string(name) + "</th>" +
                RecordCell(FormatFixed(value.first, 4, 3)) +
                RecordCell(FormatC("%.17g", value.first)) +
                RecordCell(value.second ? FormatC("%.3g", *value.second) : "undefined") + "</tr>";
    html += "</table>";
    if (run.model.kind != ModelKind::King) // the chosen model writes the table
        html += "<p>Model used for the table, the checks and the drift: " +
                EscapeMarkup(std::string(ModelTitle(run.model.kind)) + " (" +
                             ModelName(run.model.kind) + "): " + ModelParametersText(run.model)) +
                "</p>";
    html += "<p>" +
            EscapeMarkup(run.outcome.mode == FitMode::Linear
                             ? "Linear mode (a is the first response): " + run.outcome.stop + "."
                             : (run.outcome.converged ? ConvergedText(run.outcome)
                                                      : "NOT CONVERGED: " + run.outcome.stop) +
                                   ".") +
            FormatC(" Degrees of freedom %d", q.dof) +
            (q.rmsResidual ? FormatC(", RMS residual %.4g", *q.rmsResidual) : "") +
            (q.rSquared ? FormatC(", R&#178; %.6f", *q.rSquared) : "") +
            (q.maxFlowError ? FormatC(", largest flow error %+.2f %% (row %d)", q.maxFlowError->pct,
                                      q.maxFlowError->row)
                            : "") +
            ".</p></section>\n";
    return html;
}

std::string Checks(const Verdict& verdict)
{
    std::string html = "<section id=\"checks\"><h2>Checks</h2><table>";
    for (const Check& check : verdict.checks)
        html += "<tr><th class=\"text\">" + EscapeMarkup(check.name) + "</th><td class=\"" +
                (check.passed ? "passed\">passed" : "failed\">FAILED") + "</td>" +
                RecordCell(check.detail, true) + "</tr>";
    // A check that was not asked for is said so, never counted as passed.
    const bool drift = std::any_of(verdict.checks.begin(), verdict.checks.end(),
                                   [](const Check& c) { return c.name == "drift"; });
    if (!drift)
        html += "<tr><th class=\"text\">drift</th><td class=\"unjudged\">not judged</td>" +
                RecordCell("no previous calibration with a drift limit was given", true) + "</tr>";
    return html + "</table></section>\n";
}

std::string DriftSection(const Drift& drift, const std::string& previous)
{
    std::string html =
        "<section id=\"drift\"><h2>Drift against the previous calibration</h2><p>" +
        EscapeMarkup(previous) +
        (drift.largest ? FormatC(": largest flow change %+.2f %% at %.4g.</p>",
                                 drift.largest->changePct, drift.largest->response)
                       : FormatC(": no response where both give a flow of at least %g "
                                 "g/s.</p>",
                                 drift.idleFlowGs)) +
        "<table><tr><th>Response</th><th>Flow change %</th></tr>";
    for (std::size_t i = 0; i < drift.points.size(); i += 5) // 50 points folded to 10 rows
        html += "<tr>" + RecordCell(FormatC("%.4g", drift.points[i].response)) +
                RecordCell(FormatC("%+.2f", drift.points[i].changePct)) + "</tr>";
    return html + "</table></section>\n";
}

} // namespace

std::string IsoUtc(long long secondsSinceEpoch)
{
    const std::time_t time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm utc{};
    gmtime_r(&time, &utc);
    return FormatC("%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                   utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
}

std::string FormatCalibrationRecord(const Reduction& lastRun, const Verdict& verdict,
                                    const RecordIdentity& identity, const std::string& json,
                                    const std::optional<Drift>& drift, const std::string& previous)
{
    // Every "<" as its JSON escape: neither "</script>" nor "<!--" inside a
    // string can end or change the data element for an HTML5 parser. '<'
    // stands only inside the JSON's strings, where \u003c means the same.
    std::string embedded;
    embedded.reserve(json.size());
    for (const char ch : json)
        embedded += ch == '<' ? std::string("\\u003c") : std::string(1, ch);
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Calibration record " +
        EscapeMarkup(lastRun.set.meterType + " " + identity.serial) + "</title>\n<style>" + kStyle +
        "</style>\n</head>\n<body>\n"
        "<h1>MAF sensor calibration record</h1>\n" +
        RecordSummarySection(verdict) + Identification(lastRun, identity) + Rows(lastRun, verdict) +
        Fit(lastRun, verdict) + RecordUncertaintySection(lastRun, verdict) + Checks(verdict);
    if (drift)
        html += DriftSection(*drift, previous);
    return html + "<section id=\"charts\" class=\"charts\"><h2>Charts</h2>\n" +
           RunChartSvg(lastRun, ChartRole::Response) + RunChartSvg(lastRun, ChartRole::Error) +
           "</section>\n" + "<script type=\"application/json\" id=\"tovarin-calibration\">" +
           embedded + "</script>\n</body>\n</html>\n";
}

} // namespace tovarin
