#include "PreviousCalibration.h"

#include "JsonReader.h"
#include "JsonText.h"
#include "NumberText.h"
#include "ReadFile.h"

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
    CalibrationCurve curve{kind->text == "Freq" ? 1 : 0, {*a, *b, *c}, 0.0, 0.0};
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

std::optional<Drift> CompareWithPrevious(const std::string& path, const Calibration& run,
                                         std::string& error)
{
    std::string text;
    if (const FileResult read = ReadWholeFile(path, text); !read.ok) {
        error = read.Message();
        return std::nullopt;
    }
    const PreviousCalibration previous = ReadPreviousCalibration(text, path);
    if (!previous.curve) {
        error = previous.error;
        return std::nullopt;
    }
    DriftResult result = CompareCalibrations(CurveOf(run), *previous.curve);
    error = result.drift ? "" : path + ": " + result.error;
    return result.drift;
}

Check DriftCheck(const Drift& drift, double maxPct)
{
    return {"drift", std::fabs(drift.largest.changePct) <= maxPct,
            FormatC("largest flow change %+.3g %% at %.4g (limit %g %%)", drift.largest.changePct,
                    drift.largest.response, maxPct)};
}

std::string DriftJson(const Drift& drift, const std::string& previous)
{
    return ", \"drift\": {\"previous\": " + JsonString(previous) +
           ", \"points\": " + std::to_string(drift.points.size()) +
           ", \"maxDriftPct\": " + JsonNumber(drift.largest.changePct) +
           ", \"atResponse\": " + JsonNumber(drift.largest.response) + "}";
}

std::string DriftLine(const Drift& drift, const std::string& previous)
{
    return FormatC("Drift:        largest flow change %+.2f %% at %.4g against ",
                   drift.largest.changePct, drift.largest.response) +
           previous + "\n";
}

CalibrationCurve CurveOf(const Calibration& run)
{
    const auto first = run.set.response.begin();
    const auto [low, high] = std::minmax_element(first, first + std::max(run.set.rowCount, 1));
    return {run.set.responseKind, run.coefficients, *low, *high};
}

} // namespace tovarin
