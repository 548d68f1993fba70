#include "TableLayout.h"

#include "NumberText.h"
#include "TableInterpolation.h"
#include "Units.h"

#include <cmath>

namespace tovarin {

std::optional<std::string> ApplyTableLayout(const TableLayout& layout, const Reduction& run,
                                            double idleFlowGs, OutputParameters& output)
{
    output.tableFormat = layout.format;
    output.breakpoints.clear();
    output.placedBreakpoints = false;
    switch (layout.layout) {
    case BreakpointLayout::Even:
        return std::nullopt;
    case BreakpointLayout::Explicit:
        if (layout.breakpoints.empty())
            return std::string("no breakpoints are given");
        for (const double b : layout.breakpoints)
            if (b < output.responseMin || b > output.responseMax)
                return "the breakpoint " + FormatC("%.10g", b) +
                       " lies outside Response Min to Response Max";
        output.breakpoints = layout.breakpoints;
        break;
    case BreakpointLayout::Placed:
        if (!HasUsableFit(run))
            return std::string("placing breakpoints needs a fit");
        if (!(output.responseMax > output.responseMin))
            return std::string("placing breakpoints needs Response Max above Response Min");
        output.breakpoints = PlaceBreakpoints(ChosenModel(run), output.responseMin,
                                              output.responseMax, layout.placeCount, idleFlowGs);
        output.placedBreakpoints = true;
        break;
    }
    // As with the command's --breakpoints: the table spans them, a word at each.
    output.responseMin = output.breakpoints.front();
    output.responseMax = output.breakpoints.back();
    output.pointCount = static_cast<int>(output.breakpoints.size());
    return std::nullopt;
}

std::string LayoutErrorText(const TableLayout& layout, const Reduction& run, double idleFlowGs,
                            OutputParameters output)
{
    if (!HasUsableFit(run))
        return "Run Test first: the error needs a fit.";
    if (const auto problem = ApplyTableLayout(layout, run, idleFlowGs, output))
        return "Cannot lay out the table: " + *problem + ".";
    const FlowModel model = ChosenModel(run);
    const int n = output.pointCount;
    if (n < 2)
        return "A table needs at least two breakpoints.";
    const auto text = [&](const std::optional<ErrorAtResponse>& e) {
        // Two decimals as the strip gives errors; two digits below 0.01 %.
        return e ? FormatC(std::abs(e->pct) >= 0.01 ? "%+.2f %% at %.4g " : "%+.2g %% at %.4g ",
                           e->pct, e->atResponse) +
                       ResponseSymbol(run.set.responseKind)
                 : std::string("none (no flow at or above the idle flow)");
    };
    const std::vector<double> even = EvenBreakpoints(output.responseMin, output.responseMax, n);
    const std::string evenText = text(InterpolationError(model, even, idleFlowGs));
    if (layout.layout == BreakpointLayout::Even)
        return "Interpolation error of " + std::to_string(n) + " evenly spaced words: " + evenText;
    return "Interpolation error " +
           text(InterpolationError(model, output.breakpoints, idleFlowGs)) + " (" +
           std::to_string(n) + " evenly spaced: " + evenText + ")";
}

} // namespace tovarin
