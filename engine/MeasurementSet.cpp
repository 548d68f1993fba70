#include "MeasurementSet.h"

#include <limits>

namespace tovarin {

std::optional<FlowUnit> FlowUnitAt(int index)
{
    if (index < 0 || index >= kFlowUnitCount)
        return std::nullopt;
    return static_cast<FlowUnit>(index);
}

std::optional<ResponseKind> ResponseKindAt(int index)
{
    if (index < 0 || index >= kResponseKindCount)
        return std::nullopt;
    return static_cast<ResponseKind>(index);
}

const char* FlowUnitLabel(FlowUnit unit)
{
    switch (unit) {
    case FlowUnit::GramsPerSec:
        return "g/s";
    case FlowUnit::KgPerHour:
        return "Kg/hr";
    case FlowUnit::LbsPerHour:
        return "lbs/hr";
    case FlowUnit::Scfm:
        return "SCFM";
    }
    return "";
}

const char* ResponseKindLabel(ResponseKind kind)
{
    switch (kind) {
    case ResponseKind::Volts:
        return "Volts";
    case ResponseKind::Freq:
        return "Freq";
    }
    return "";
}

double FlowToGs(double typedFlow, FlowUnit unit)
{
    switch (unit) {
    case FlowUnit::GramsPerSec:
        return typedFlow;
    case FlowUnit::KgPerHour:
        return typedFlow / kKgPerHourPerGs;
    case FlowUnit::LbsPerHour: // grams per second in one pound per hour
        return typedFlow * 0.125997881;
    case FlowUnit::Scfm: // m^3/s per ft^3/min, times air density 1.2 kg/m^3, times g/kg
        return typedFlow * 0.00047194 * 1.2 * 1000.0;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double FlowToGs(double typedFlow, int flowUnitIndex)
{
    const std::optional<FlowUnit> unit = FlowUnitAt(flowUnitIndex);
    return unit ? FlowToGs(typedFlow, *unit) : std::numeric_limits<double>::quiet_NaN();
}

void BuildRows(MeasurementSet& set)
{
    for (int i = 0; i < kMaxRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        // Written as !(a > b) so that an unordered (NaN) comparison ends the table.
        if (i > 0 && !(set.typedFlow[row] > set.typedFlow[row - 1]))
            return;
        set.flowGs[row] = FlowToGs(set.typedFlow[row], set.flowUnit);
        set.response[row] = set.typedResponse[row];
        set.rowCount = i + 1;
    }
}

} // namespace tovarin
