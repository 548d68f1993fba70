#include "BudgetText.h"

#include "JsonText.h"
#include "NumberText.h"

#include <cmath>

namespace tovarin {
namespace {

constexpr const char* kBudgetPointNames[] = {"idle", "middle", "full scale"};

std::string JsonBool(const std::optional<bool>& value)
{
    return value ? (*value ? "true" : "false") : "null";
}

std::string InputsJson(const BudgetInputs& in)
{
    auto part = [](const std::optional<ReadingUncertainty>& u, bool abs) {
        return JsonNumber(u ? std::optional(abs ? u->abs : u->pct) : std::nullopt);
    };
    return "{\"referencePct\": " + part(in.reference, false) +
           ", \"referenceAbsGs\": " + part(in.reference, true) +
           ", \"responsePct\": " + part(in.response, false) +
           ", \"responseAbs\": " + part(in.response, true) +
           ", \"resolution\": " + JsonNumber(in.resolution) +
           ", \"cmcPct\": " + JsonNumber(in.cmcPct) + "}";
}

std::string PointJson(const BudgetPoint& p, const char* name)
{
    std::string json = "{\"at\": " + JsonString(name);
    AppendNumberMember(json, "response", p.response);
    AppendNumberMember(json, "flowGs", p.flowGs);
    AppendNumberMember(json, "combinedGs", p.combinedGs);
    json += ", \"effectiveDof\": " + JsonInt(p.effectiveDof);
    AppendNumberMember(json, "coverageFactor", p.coverageFactor);
    AppendNumberMember(json, "linearExpandedGs", p.linearExpandedGs);
    AppendNumberMember(json, "mcLowGs", p.mcLowGs);
    AppendNumberMember(json, "mcHighGs", p.mcHighGs);
    json += ", \"linearValid\": " + JsonBool(p.linearValid);
    AppendNumberMember(json, "expandedUncertaintyGs", p.expandedGs);
    AppendNumberMember(json, "expandedUncertaintyPct", p.expandedPct);
    return json + ", \"cmcFloor\": " + (p.cmcFloor ? "true" : "false") + "}";
}

std::string SourcesJson(const UncertaintyBudget& budget, bool interpolant)
{
    std::string json = "[";
    for (const BudgetSource& s : budget.sources) {
        json += (json.size() > 1 ? ", " : "") + std::string("{\"source\": ") +
                JsonString(BudgetSourceName(s.kind, interpolant)) + ", \"dof\": " + JsonInt(s.dof) +
                ", \"at\": [";
        for (std::size_t k = 0; k < s.at.size(); ++k) {
            json += k ? ", {" : "{";
            AppendNumberMember(json, "standardUncertainty", s.at[k].inputStandard, true);
            AppendNumberMember(json, "sensitivity", s.at[k].sensitivity);
            AppendNumberMember(json, "contributionGs", s.at[k].contributionGs);
            json += '}';
        }
        json += "]}";
    }
    return json + "]";
}

} // namespace

std::string BudgetSourceName(BudgetSourceKind kind, bool interpolant)
{
    switch (kind) {
    case BudgetSourceKind::Reference:
        return "reference standard";
    case BudgetSourceKind::ResponseMeter:
        return "response meter";
    case BudgetSourceKind::Resolution:
        return "response resolution";
    case BudgetSourceKind::Scatter:
        break;
    }
    return interpolant ? "leave-one-out error" : "scatter about the fit";
}

std::string BudgetSourceUnit(BudgetSourceKind kind, bool interpolant, const char* responseUnit)
{
    if (kind == BudgetSourceKind::Reference)
        return "g/s";
    if (kind == BudgetSourceKind::Scatter && interpolant)
        return "%";
    return responseUnit;
}

int TwoDigitDecimals(double value)
{
    const double rounded = RoundUpTwoDigits(value);
    if (!(rounded > 0.0) || !std::isfinite(rounded))
        return 0;
    // 0.013 needs 3 decimals, 1.0 one, 13 none.
    return std::max(0, 1 - static_cast<int>(std::floor(std::log10(rounded))));
}

std::string TwoDigitsUp(double value)
{
    if (!std::isfinite(value))
        return "undefined";
    return FormatC("%.*f", TwoDigitDecimals(value), RoundUpTwoDigits(value));
}

std::string UncertaintyBudgetJson(const Verdict& verdict, bool interpolant)
{
    const BudgetInputs& in = verdict.budgetInputs;
    if (!verdict.budget && !verdict.budgetProblem)
        return "\"uncertaintyBudget\": null";
    std::string json = "\"uncertaintyBudget\": {\"inputs\": " + InputsJson(in) +
                       ", \"decisionRule\": " + (in.guarded ? "\"guarded\"" : "\"simple\"") +
                       ", \"coverageProbability\": 0.95, \"problem\": " +
                       (verdict.budgetProblem ? JsonString(*verdict.budgetProblem) : "null");
    const std::optional<UncertaintyBudget>& b = verdict.budget;
    if (!b)
        return json + ", \"method\": null, \"trials\": null, \"adaptive\": null, \"failedTrials\": "
                      "null, \"seed\": null, \"sources\": null, \"budgetPoints\": null}";
    json += std::string(", \"method\": ") +
            (b->trials ? "\"linear and Monte Carlo\"" : "\"linear\"") +
            ", \"trials\": " + std::to_string(b->trials) +
            ", \"adaptive\": " + (b->adaptive ? "true" : "false") +
            ", \"failedTrials\": " + std::to_string(b->failedTrials) +
            ", \"seed\": " + std::to_string(kBudgetSeed) +
            ", \"sources\": " + SourcesJson(*b, interpolant) + ", \"budgetPoints\": [";
    for (std::size_t k = 0; k < b->atBudget.size(); ++k)
        json += (k ? ", " : "") + PointJson(b->atBudget[k], kBudgetPointNames[k]);
    return json + "]}";
}

std::string BudgetReadableLine(const Verdict& verdict, const char* responseUnit)
{
    if (verdict.budgetProblem)
        return "Uncertainty:  no budget (" + *verdict.budgetProblem +
               "); the scatter about the fit only\n";
    const std::optional<UncertaintyBudget>& b = verdict.budget;
    if (!b)
        return "";
    std::string text = "Uncertainty:  U";
    for (std::size_t k = 0; k < b->atBudget.size(); ++k) {
        const BudgetPoint& p = b->atBudget[k];
        text += std::string(k ? ", " : " ") + TwoDigitsUp(p.expandedGs) + " g/s (" +
                TwoDigitsUp(p.expandedPct) + (p.cmcFloor ? " %, CMC)" : " %)") +
                FormatC(" at %s %.4g %s", kBudgetPointNames[k], p.response, responseUnit);
    }
    int valid = 0, judged = 0;
    for (const BudgetPoint& p : b->table)
        if (p.linearValid) {
            ++judged;
            valid += *p.linearValid ? 1 : 0;
        }
    text += "; 95 %";
    if (b->trials)
        text +=
            FormatC(", linear valid at %d of %d responses, %d trials", valid, judged, b->trials);
    return text + (verdict.budgetInputs.guarded ? ", guarded rule\n" : ", simple rule\n");
}

} // namespace tovarin
