#pragma once
// The window's choice of the table's layout: where its breakpoints lie
// (evenly spaced as always, an explicit list, or N placed on the fit) and
// the file format. The command reaches the same OutputParameters through its
// options.

#include "OutputParameters.h"
#include "Reduce.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

enum class BreakpointLayout
{
    Even,
    Explicit,
    Placed
};

struct TableLayout
{
    BreakpointLayout layout = BreakpointLayout::Even;
    std::vector<double> breakpoints = {}; // Explicit: strictly ascending
    int placeCount = 32;                  // Placed: from 2 to kMaxPointCount
    TableFormat format = TableFormat::Dw;
};

// The output parameters on screen laid out: the explicit breakpoints (which
// must lie within the response min and max on screen), or placeCount placed
// from min to max on the run's chosen model; the reason when they cannot be.
std::optional<std::string> ApplyTableLayout(const TableLayout& layout, const Reduction& run,
                                            double idleFlowGs, OutputParameters& output);

// What the layout achieves on the run: "Interpolation error +1.14 % at 2.31 V
// (16 evenly spaced: +21.03 %)", or the reason it cannot be laid out.
std::string LayoutErrorText(const TableLayout& layout, const Reduction& run, double idleFlowGs,
                            OutputParameters output);

} // namespace tovarin
