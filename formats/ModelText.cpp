#include "ModelText.h"

#include "JsonText.h"
#include "NumberText.h"

namespace tovarin {
namespace {

std::string ParametersJson(const FlowModel& model)
{
    std::string json = "{";
    for (const ModelParameter& p : ModelParameters(model)) {
        json += (json.size() > 1 ? ", " : "") + JsonString(p.name) + ": ";
        if (!p.list) {
            json += JsonNumber(p.values.front());
            continue;
        }
        json += "[";
        for (std::size_t i = 0; i < p.values.size(); ++i)
            json += (i ? ", " : "") + JsonNumber(p.values[i]);
        json += "]";
    }
    return json + "}";
}

std::optional<double> PctOf(const std::optional<LargestError>& e)
{
    return e ? std::optional(e->pct) : std::nullopt;
}

std::string PctText(const std::optional<LargestError>& e)
{
    return e ? FormatC("%+.2f %%", e->pct) : "undefined";
}

} // namespace

std::string ModelsJson(const Reduction& run)
{
    std::string json = ", \"model\": " + JsonString(ModelName(run.model.kind)) + ", \"models\": ";
    if (!run.comparison)
        return json + "null";
    json += "[";
    for (const ModelAssessment& m : run.comparison->models) {
        json += json.back() == '[' ? "{" : ", {";
        json += "\"name\": " + JsonString(ModelName(m.model.kind));
        json += ", \"parameters\": " + (m.made ? ParametersJson(m.model) : "null");
        json += ", \"maxFlowErrorPct\": " + JsonNumber(PctOf(m.maxFlowError));
        json += ", \"looMaxFlowErrorPct\": " + JsonNumber(PctOf(m.looMaxFlowError));
        json += ", \"aicc\": " + JsonNumber(m.aicc);
        json += ", \"monotonic\": " + std::string(m.monotonic ? "true" : "false");
        json += ", \"eligible\": " + std::string(m.eligible ? "true" : "false");
        json += ", \"why\": " + (m.why.empty() ? "null" : JsonString(m.why)) + "}";
    }
    return json + "]";
}

std::string ModelComparisonText(const Reduction& run, const Verdict& verdict)
{
    if (!run.comparison)
        return "";
    std::string text = "\n  Model        Flow error  Leave-one-out  Parameters        AICc  "
                       "Monotonic  Eligible\n";
    std::string reasons;
    for (const ModelAssessment& m : run.comparison->models) {
        const bool chosen = m.model.kind == run.model.kind;
        text += FormatC("%c %-11s  %10s  %13s  %10d  %10s  %9s  %s\n", chosen ? '*' : ' ',
                        ModelName(m.model.kind), PctText(m.maxFlowError).c_str(),
                        PctText(m.looMaxFlowError).c_str(), m.made ? m.model.ParameterCount() : 0,
                        m.aicc ? FormatC("%.2f", *m.aicc).c_str() : "undefined",
                        m.monotonic ? "yes" : "no", m.eligible ? "yes" : "no");
        if (!m.why.empty())
            reasons += std::string("  ") + ModelName(m.model.kind) + ": " + m.why + "\n";
    }
    text += reasons;
    if (verdict.modelHint)
        text += "Hint:         " + *verdict.modelHint + "\n";
    return text;
}

std::string ModelParametersText(const FlowModel& model, const char* separator)
{
    std::string text;
    for (const ModelParameter& p : ModelParameters(model)) {
        text += (text.empty() ? "" : separator) + p.name + "=";
        for (std::size_t i = 0; i < p.values.size(); ++i)
            text += (i ? "," : "") + FormatC("%.17g", p.values[i]);
    }
    return text;
}

std::string ModelLogLine(const Reduction& run)
{
    if (run.model.kind == ModelKind::King || !run.outcome.fitted)
        return "";
    return std::string("Model: ") + ModelName(run.model.kind) + " " +
           ModelParametersText(run.model) + "\n";
}

} // namespace tovarin
