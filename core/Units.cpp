#include "Units.h"

#include <array>
#include <limits>

namespace tovarin {
namespace {

constexpr const char* kGsSpellings[] = {"g/sec"};
constexpr const char* kKgPerHourSpellings[] = {"kg/h"};
constexpr const char* kLbsPerHourSpellings[] = {"lb/h", "lb/hr", "lbs/h"};

constexpr std::array<FlowUnitInfo, 4> kFlowUnits = {{
    {FlowUnit::GramsPerSec, "g/s", kGsSpellings, "Using CFM entries on screen\n"},
    {FlowUnit::KgPerHour, "Kg/hr", kKgPerHourSpellings,
     "  Note: Using CFM conversion from userdef.cfg file...\n"},
    {FlowUnit::LbsPerHour, "lbs/hr", kLbsPerHourSpellings, "Using direct g/s entries on screen\n"},
    {FlowUnit::Scfm, "SCFM", {}, "Using LFE Conversion 169 CFM/8 InHg\n"},
}};

constexpr std::array<ResponseKindInfo, 2> kResponseKinds = {{
    {ResponseKind::Volts, "Volts", "V", 5.0, "\tVolts\tMass_Air(g/s)\n", "Volts"},
    {ResponseKind::Freq, "Freq", "Hz", 15000.0, "\tFreq(Hz)\tMass_Air(g/s)\n", "Freq (Hz)"},
}};

constexpr const char* kTenMgSpellings[] = {"10*mg/s"};
constexpr const char* kMgSpellings[] = {"mg/s"};
constexpr const char* kGPerSecSpellings[] = {"g/s"};
constexpr const char* kKgPerHourOutSpellings[] = {"kg/h"};
constexpr const char* kLbPerHourOutSpellings[] = {"lb/hr"};

// kg/hr holds kg/h values although its line has always read "kg/sec";
// assembler sources that include the table match on these exact words.
constexpr std::array<OutputFlowUnitInfo, 6> kOutputFlowUnits = {{
    {OutputFlowUnit::TenMgPerSec, "10*mg/sec", kTenMgSpellings, 100.0,
     "; */ File units = 10 * mg/sec */\r\n", "10mg_per_s"},
    {OutputFlowUnit::MgPerSec, "mg/sec", kMgSpellings, 1000.0, "; */ File units =  mg/sec */\r\n",
     "mg_per_s"},
    {OutputFlowUnit::GPerSec, "g/sec", kGPerSecSpellings, 1.0, "; */ File units = g/sec */\r\n",
     "g_per_s"},
    {OutputFlowUnit::KgPerHour, "kg/hr", kKgPerHourOutSpellings, kKgPerHourPerGs,
     "; */ File units = kg/sec */\r\n", "kg_per_h"},
    {OutputFlowUnit::LbPerMin,
     "lb/min",
     {},
     60.0 / kGramsPerPound,
     "; */ File units = lb/min */\r\n",
     "lb_per_min"},
    {OutputFlowUnit::LbPerHour, "lb/h", kLbPerHourOutSpellings, 3600.0 / kGramsPerPound,
     "; */ File units = lb/h */\r\n", "lb_per_h"},
}};

template <typename Enum, typename Table> std::optional<Enum> At(const Table& table, int index)
{
    if (index < 0 || index >= static_cast<int>(table.size()))
        return std::nullopt;
    return static_cast<Enum>(index);
}

} // namespace

std::span<const FlowUnitInfo> FlowUnits()
{
    return kFlowUnits;
}
std::span<const ResponseKindInfo> ResponseKinds()
{
    return kResponseKinds;
}
std::span<const OutputFlowUnitInfo> OutputFlowUnits()
{
    return kOutputFlowUnits;
}

const FlowUnitInfo& InfoOf(FlowUnit unit)
{
    return kFlowUnits[static_cast<std::size_t>(unit)];
}
const ResponseKindInfo& InfoOf(ResponseKind kind)
{
    return kResponseKinds[static_cast<std::size_t>(kind)];
}
const OutputFlowUnitInfo& InfoOf(OutputFlowUnit unit)
{
    return kOutputFlowUnits[static_cast<std::size_t>(unit)];
}

std::optional<FlowUnit> FlowUnitAt(int index)
{
    return At<FlowUnit>(kFlowUnits, index);
}
std::optional<ResponseKind> ResponseKindAt(int index)
{
    return At<ResponseKind>(kResponseKinds, index);
}
std::optional<OutputFlowUnit> OutputFlowUnitAt(int index)
{
    return At<OutputFlowUnit>(kOutputFlowUnits, index);
}

double FlowToGs(double typedFlow, const std::optional<FlowUnit>& unit)
{
    if (!unit)
        return std::numeric_limits<double>::quiet_NaN();
    switch (*unit) {
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

double OutputUnitFactor(const std::optional<OutputFlowUnit>& unit)
{
    return unit ? InfoOf(*unit).factor : 1.0;
}

} // namespace tovarin
