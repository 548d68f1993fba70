#include "MeasurementSet.h"

#include <limits>

namespace tovarin {

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
    return kind == ResponseKind::Volts ? "Volts" : "Freq";
}

double FlowToGs(double typedFlow, FlowUnit unit)
{
    switch (unit) {
    case FlowUnit::GramsPerSec:
        return typedFlow;
    case FlowUnit::KgPerHour: // 1 kg/h = 1000 g / 3600 s
        return typedFlow / 3.6;
    case FlowUnit::LbsPerHour: // grams per second in one pound per hour
        return typedFlow * 0.125997881;
    case FlowUnit::Scfm: // m^3/s per ft^3/min, times air density 1.2 kg/m^3, times g/kg
        return typedFlow * 0.00047194 * 1.2 * 1000.0;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double FlowToGs(double typedFlow, int flowUnitIndex)
{
    if (flowUnitIndex < 0 || flowUnitIndex >= kFlowUnitCount)
        return std::numeric_limits<double>::quiet_NaN();
    return FlowToGs(typedFlow, static_cast<FlowUnit>(flowUnitIndex));
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
