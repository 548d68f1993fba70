#pragma once
// The output parameters shared by the flow factor table and the HTML report.
// Each output command reads them back from the window; a field that does not
// convert keeps the value stored by the last command (or the start-up value).

#include <optional>
#include <string>

namespace tovarin {

class IFieldAccess;

// Index of the output-unit list (control 1094), in list order.
enum class OutputFlowUnit
{
    TenMgPerSec = 0,
    MgPerSec = 1,
    GPerSec = 2,
    KgPerHour = 3
};
inline constexpr int kOutputFlowUnitCount = 4;

// The most words one table may have: 1 Mi points, about 12 MB of text, which
// the window still writes in well under a second.
inline constexpr int kMaxPointCount = 1048576;

struct OutputParameters
{
    double responseMin = 0.0; // volts or hertz
    double responseMax = 0.0; // volts or hertz
    int pointCount = 0;       // table words between min and max
    int outputFlowUnit = 0;   // OutputFlowUnit index
};

// The output unit at a list index; empty for an index the list does not have.
std::optional<OutputFlowUnit> OutputFlowUnitAt(int index);
const char* OutputFlowUnitLabel(OutputFlowUnit unit);

// The start-up values of the window and of the command: 0 to 5 V or 0 to
// 15000 Hz by response kind (min and max stay as given for a kind the list
// does not have), 1024 points and the unit as given.
OutputParameters StartupOutputParameters(int responseKind, OutputParameters given = {});

// Fields 1091 ("%lf"), 1092 ("%lf"), 1093 ("%d") and the selection of list 1094.
void ReadOutputParameters(const IFieldAccess& fields, OutputParameters& stored);

} // namespace tovarin
