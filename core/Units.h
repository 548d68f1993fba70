#pragma once
// Every fact about the units and kinds the program knows, in one table each:
// the flow units the engineer types flows in, the kinds of response, and the
// units of the output table. The lists of the window show the labels in
// table order (their index is the list index); the command also accepts the
// spellings, in any case.

#include <optional>
#include <span>
#include <string_view>

namespace tovarin {

// Index of the flow-unit list, in list order.
enum class FlowUnit
{
    GramsPerSec = 0,
    KgPerHour = 1,
    LbsPerHour = 2,
    Scfm = 3
};

// Index of the response-kind list. Responses are never converted.
enum class ResponseKind
{
    Volts = 0,
    Freq = 1
};

// Index of the output-unit list.
enum class OutputFlowUnit
{
    TenMgPerSec = 0,
    MgPerSec = 1,
    GPerSec = 2,
    KgPerHour = 3,
    LbPerMin = 4,
    LbPerHour = 5
};

// 1 g/s = 3600 g/h = 3.6 kg/h; the flow units and the output units share it.
inline constexpr double kKgPerHourPerGs = 3.6;
// The international avoirdupois pound.
inline constexpr double kGramsPerPound = 453.59237;

struct FlowUnitInfo
{
    FlowUnit unit;
    const char* label;                   // as the list shows it
    std::span<const char* const> others; // further spellings the command takes
    // Line 5 of a run log block. These words are what the log has always said
    // for each unit; they do not follow the labels, and stored logs are
    // compared against them.
    const char* logLine;
};

struct ResponseKindInfo
{
    ResponseKind kind;
    const char* label;       // as the list shows it
    const char* symbol;      // "V" or "Hz", after a number
    double outputMax;        // the default Response Max of the table and report
    const char* reportHead;  // the report's column heads
    const char* chartLegend; // the response axis before the first run
};

struct OutputFlowUnitInfo
{
    OutputFlowUnit unit;
    const char* label;
    std::span<const char* const> others;
    double factor;        // output unit per g/s
    const char* fileLine; // the table's second line, CR LF included
    const char* column;   // the unit in a csv or tsv header: "kg_per_h"
};

std::span<const FlowUnitInfo> FlowUnits();
std::span<const ResponseKindInfo> ResponseKinds();
std::span<const OutputFlowUnitInfo> OutputFlowUnits();

const FlowUnitInfo& InfoOf(FlowUnit unit);
const ResponseKindInfo& InfoOf(ResponseKind kind);
const OutputFlowUnitInfo& InfoOf(OutputFlowUnit unit);

// The unit or kind at a list index; empty for an index the list does not have.
std::optional<FlowUnit> FlowUnitAt(int index);
std::optional<ResponseKind> ResponseKindAt(int index);
std::optional<OutputFlowUnit> OutputFlowUnitAt(int index);

// The list index of a unit or kind, -1 for none (a list without selection).
template <typename Enum> int IndexOf(const std::optional<Enum>& value)
{
    return value ? static_cast<int>(*value) : -1;
}

inline const char* FlowUnitLabel(FlowUnit unit)
{
    return InfoOf(unit).label;
}
inline const char* ResponseKindLabel(ResponseKind kind)
{
    return InfoOf(kind).label;
}
inline const char* OutputFlowUnitLabel(OutputFlowUnit unit)
{
    return InfoOf(unit).label;
}

// "V" for volts, "Hz" for frequency; a response of unknown kind reads as volts.
inline const char* ResponseSymbol(const std::optional<ResponseKind>& kind)
{
    return kind == ResponseKind::Freq ? "Hz" : "V";
}

// Flow in g/s of a flow typed in `unit`, factors applied left to right. An
// unknown unit (a list without selection) gives NaN, so that such a flow
// shows as "nan" everywhere rather than as a wrong number.
double FlowToGs(double typedFlow, const std::optional<FlowUnit>& unit);

// Factor from g/s to the output unit; 1 for no unit.
double OutputUnitFactor(const std::optional<OutputFlowUnit>& unit);

} // namespace tovarin
