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

std::vector<double> NumbersAt(const JsonValue& object, std::string_view key)
{
    std::vector<double> numbers;
    const JsonValue* list = object.Find(key);
    if (!list || list->type != JsonValue::Type::Array)
        return numbers;
    for (const JsonValue& item : list->items) {
        if (item.type != JsonValue::Type::Number)
            return {};
        numbers.push_back(item.number);
    }
    return numbers;
}

// The chosen model from its entry in `models` (a file without "model", or
// with "king", is King's equation from a, b and c); false when the entry or
// one of its parameters is missing.
bool ReadChosenModel(const JsonValue& json, FlowModel& model)
{
    const JsonValue* name = json.Find("model");
    if (!name || (name->type == JsonValue::Type::String && name->text == "king"))
        return true;
    if (name->type != JsonValue::Type::String || !ModelNamed(name->text))
        return false;
    const ModelKind kind = *ModelNamed(name->text);
    const JsonValue* models = json.Find("models");
    if (!models || models->type != JsonValue::Type::Array)
        return false;
    for (const JsonValue& entry : models->items) {
        const JsonValue* entryName = entry.Find("name");
        const JsonValue* p = entry.Find("parameters");
        if (!entryName || entryName->type != JsonValue::Type::String ||
            entryName->text != name->text || !p || p->type != JsonValue::Type::Object)
            continue;
        model.kind = kind;
        switch (kind) {
        case ModelKind::King:
            return true;
        case ModelKind::KingOffset: {
            const auto a = NumberAt(*p, "a"), b = NumberAt(*p, "b"), c = NumberAt(*p, "c"),
                       q0 = NumberAt(*p, "q0");
            model.king = {a.value_or(0.0), b.value_or(0.0), c.value_or(0.0)};
            model.q0 = q0.value_or(0.0);
            return a && b && c && q0;
        }
        case ModelKind::Poly:
            for (std::size_t k = 0; const auto value = NumberAt(*p, "p" + std::to_string(k)); ++k)
                model.poly.push_back(*value);
            return !model.poly.empty();
        case ModelKind::Monotone:
            model.knots = {NumbersAt(*p, "responses"), NumbersAt(*p, "flows"),
                           NumbersAt(*p, "slopes")};
            return !model.knots.responses.empty() &&
                   model.knots.flows.size() == model.knots.responses.size() &&
                   model.knots.slopes.size() == model.knots.responses.size() &&
                   std::is_sorted(model.knots.responses.begin(), model.knots.responses.end());
        }
    }
    return false;
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
        kind->text == "Freq" ? ResponseKind::Freq : ResponseKind::Volts, {}, 0.0, 0.0};
    curve.model.king = {*a, *b, *c};
    if (!ReadChosenModel(*json, curve.model))
        return {std::nullopt, name + ": the parameters of its model are missing or not numbers"};
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
    return {run.set.responseKind, ChosenModel(run), low, high};
}

} // namespace tovarin
