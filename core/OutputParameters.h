#pragma once
// The output parameters shared by the flow factor table and the HTML report:
// the responses the table spans, its number of words and its unit.

#include "TableWords.h"
#include "Units.h"

#include <optional>
#include <vector>

namespace tovarin {

// The most words one table may have: 1 Mi points, about 12 MB of text, which
// the window still writes in well under a second.
inline constexpr int kMaxPointCount = 1048576;
inline constexpr int kDefaultPointCount = 1024;

// The layout of the table file: DW lines, csv, tsv or C arrays.
enum class TableFormat
{
    Dw,
    Csv,
    Tsv,
    C
};

struct OutputParameters
{
    double responseMin = 0.0; // volts or hertz
    double responseMax = 0.0; // volts or hertz
    int pointCount = 0;       // table words between min and max
    // Empty only when the window's list has no selection.
    std::optional<OutputFlowUnit> outputFlowUnit = OutputFlowUnit::TenMgPerSec;
    // The table's responses when given explicitly (strictly ascending, the
    // first and last at response min and max, pointCount of them); empty for
    // evenly spaced ones.
    std::vector<double> breakpoints = {};
    bool placedBreakpoints = false; // the breakpoints were placed, not given
    WordType wordType = WordType::Int;
    double wordScale = 1.0; // word = flow in the output unit x wordScale, rounded by type
    TableFormat tableFormat = TableFormat::Dw;
    // A 16-bit table as all its high bytes, then all its low bytes (u16 and
    // s16, dw and c only).
    bool byteSplit = false;
    double axisScale = 1.0; // axis word = response x axisScale, rounded by type
};

// The start-up values of the window and of the command: 0 to the kind's
// default maximum (min and max stay as given for no kind), the default point
// count and the unit as given.
OutputParameters StartupOutputParameters(const std::optional<ResponseKind>& responseKind,
                                         OutputParameters given = {});

} // namespace tovarin
