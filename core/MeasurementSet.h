#pragma once
// The measurement table: what the engineer typed (RunInput) and the rows a
// run takes from it (MeasurementSet), with the flows in g/s.

#include "Units.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tovarin {

inline constexpr int kMaxRows = 19;                     // screen rows, top row 0
inline constexpr std::size_t kMaxMeterTypeLength = 299; // bytes kept of the first word

using RowValues = std::array<double, kMaxRows>;

// One run's input: the 19 typed rows as numbers and the selections. A unit or
// kind is empty when its list has no selection.
struct RunInput
{
    RowValues typedFlow{};     // as typed, in `flowUnit`; all 19 rows
    RowValues typedResponse{}; // as typed, volts or hertz; all 19 rows
    std::optional<FlowUnit> flowUnit = FlowUnit::GramsPerSec;
    std::optional<ResponseKind> responseKind = ResponseKind::Volts;
    std::string meterType; // first word of the meter-type field, no white space
};

// The same input: every value equal, a NaN equal to a NaN (a restored "nan"
// reads back as the value it was).
bool SameInput(const RunInput& a, const RunInput& b);

struct MeasurementSet : RunInput
{
    RowValues flowGs{};         // g/s, rows in use only
    RowValues response{};       // copy of typedResponse, rows in use only
    RowValues fittedResponse{}; // King response of flowGs, rows in use of the last fit
    int rowCount = 0;           // rows in use, 1 to 19 after any run
};

// Ends the table at the first row whose typed flow is not strictly greater than
// the row above (NaN included; row 0 is always in use), then converts the flows
// of the rows in use to g/s and copies their responses. Sets rowCount.
void BuildRows(MeasurementSet& set);

} // namespace tovarin
