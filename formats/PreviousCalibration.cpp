#include "PreviousCalibration.h"

#include "JsonReader.h"
#include "JsonText.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace tovarin {
namespace {

constexpr std::string_view kRecordMark = "id=\"tovarin-calibration\">";

std::optional<double> NumberAt(const JsonValue& object, std::string_view key)
{
    const JsonValue* value = object.Find(key);
    return value && value->type == JsonValue::Type::Number ? std::optional(value->number)
                                                           : std::nullopt;
}

} // namespace

PreviousCalibration ReadPreviousCalibration(std::string_view text, const std::string& name)
{
    // A record holds the object between its data element's tags.
    if (const std::size_t mark = text.find(kRecordMark); mark != std::string_view::npos) {
        text.remove_prefix(mark + kRecordMark.size());
        text = text.substr(0, text.find("</script>"));
    }
    const std::optional<JsonValue> json = ParseJson(text);
    const std::string notOurs = name + ": not a calibration of tovarin-reduce --json or --record";
    if (!json || json->type != JsonValue::Type::Object)
        return {std::nullopt, notOurs};
    const JsonValue* input = json->Find("input");
    const JsonValue* kind = input ? input->Find("responseKind") : nullptr;
    const JsonValue* rows = input ? input->Find("rows") : nullptr;
    const auto a = NumberAt(*json, "a"), b = NumberAt(*json, "b"), c = NumberAt(*json, "c");
    if (!kind || kind->type != JsonValue::Type::String || !rows ||
        rows->type != JsonValue::Type::Array || rows->items.empty() || !a || !b || !c)
        return {std::nullopt, notOurs};
    CalibrationCurve curve{
        kind->text == "Freq" ? ResponseKind::Freq : ResponseKind::Volts, {*a, *b, *c}, 0.0, 0.0};
    bool first = true;
    for (const JsonValue& row : rows->items) {
        const std::optional<double> response = NumberAt(row, "response");
        if (!response)
            return {std::nullopt, notOurs};
        curve.responseMin = first ? *response : std::min(curve.responseMin, *response);
        curve.responseMax = first ? *response : std::max(curve.responseMax, *response);
        first = false;
    }
    return {curve, ""};
}

std::string DriftJson(const Drift& drift, const std::string& previous)
{
    return ", \"drift\": {\"previous\": " + JsonString(previous) +
           ", \"points\": " + std::to_string(drift.points.size()) + ", \"maxDriftPct\": " +
           JsonNumber(drift.largest ? std::optional(drift.largest->changePct) : std::nullopt) +
           ", \"atResponse\": " +
           JsonNumber(drift.largest ? std::optional(drift.largest->response) : std::nullopt) + "}";
}

std::string DriftLine(const Drift& drift, const std::string& previous)
{
    if (!drift.largest)
        return FormatC("Drift:        no response where both give a flow of at least %g g/s, "
                       "against ",
                       drift.idleFlowGs) +
               previous + "\n";
    return FormatC("Drift:        largest flow change %+.2f %% at %.4g against ",
                   drift.largest->changePct, drift.largest->response) +
           previous + "\n";
}

CalibrationCurve CurveOf(const Reduction& run)
{
    const auto [low, high] = MeasuredResponseRange(run.set);
    return {run.set.responseKind, run.coefficients, low, high};
}

} // namespace tovarin
