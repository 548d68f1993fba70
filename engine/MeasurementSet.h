#pragma once
// The measurement table shared by the run, the fit, the settings file and the
// output files, and the flow units in which the engineer types flows.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tovarin {

inline constexpr int kMaxRows = 19;                     // screen rows, top row 0
inline constexpr std::size_t kMaxMeterTypeLength = 299; // bytes kept of the first word

// Index of the flow-unit list (control 1054), in list order.
enum class FlowUnit
{
    GramsPerSec = 0,
    KgPerHour = 1,
    LbsPerHour = 2,
    Scfm = 3
};
inline constexpr int kFlowUnitCount = 4;

// 1 g/s = 3600 g/h = 3.6 kg/h; the flow units and the output units share it.
inline constexpr double kKgPerHourPerGs = 3.6;

// Index of the response-kind list (control 1055). Responses are never converted.
enum class ResponseKind
{
    Volts = 0,
    Freq = 1
};
inline constexpr int kResponseKindCount = 2;

using RowValues = std::array<double, kMaxRows>;

struct MeasurementSet
{
    RowValues typedFlow{};      // as typed, in `flowUnit`; all 19 rows
    RowValues typedResponse{};  // as typed, volts or hertz; all 19 rows
    RowValues flowGs{};         // g/s, rows in use only
    RowValues response{};       // copy of typedResponse, rows in use only
    RowValues fittedResponse{}; // King response of flowGs, rows in use of the last fit
    int rowCount = 0;           // rows in use, 1 to 19 after any run
    int flowUnit = 0;           // FlowUnit index as the list reports it (may be -1)
    int responseKind = 0;       // ResponseKind index as the list reports it
    std::string meterType;      // first word of the meter-type field, no white space
};

// The unit or kind at a list index; empty for an index the list does not have.
std::optional<FlowUnit> FlowUnitAt(int index);
std::optional<ResponseKind> ResponseKindAt(int index);

// Label of a list entry, as the window's lists show it.
const char* FlowUnitLabel(FlowUnit unit);
const char* ResponseKindLabel(ResponseKind kind);

// Flow in g/s of a flow typed in `unit`, factors applied left to right.
double FlowToGs(double typedFlow, FlowUnit unit);

// Same for a list index; an index the list does not have gives NaN, so that a
// flow of unknown unit shows as "nan" everywhere rather than as a wrong number.
double FlowToGs(double typedFlow, int flowUnitIndex);

// Ends the table at the first row whose typed flow is not strictly greater than
// the row above (NaN included; row 0 is always in use), then converts the flows
// of the rows in use to g/s and copies their responses. Sets rowCount.
void BuildRows(MeasurementSet& set);

} // namespace tovarin
