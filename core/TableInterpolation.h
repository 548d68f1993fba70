#pragma once
// How well a controller's linear interpolation between breakpoints follows
// the model, and where to put a few breakpoints so that it follows best.
//
// The measure (the table check's for explicit or placed breakpoints, and the
// one placement minimises): over each segment [r_i, r_i+1], at 128 evenly
// spaced responses inside it, the relative error of the straight line
// through the unrounded flows at its ends,
//   e(r) = (Q_i + (Q_i+1 - Q_i)(r - r_i)/(r_i+1 - r_i) - Q(r)) / Q(r) * 100,
// over the responses where Q(r) is at least the idle flow; the largest |e|.
//
// Placement of N breakpoints from response min to max (both included) is a
// one-dimensional minimax problem, solved by bisection on the error bound E:
// greedily from the low end, each next breakpoint lies as far as a
// bisection on its position keeps the segment within E; E is feasible when
// the greedy walk reaches response max in at most N - 1 segments. With the
// smallest feasible E found (to 1e-4 of its value), any breakpoints left over
// split the segments of largest error in half.

#include "FlowModel.h"

#include <optional>
#include <vector>

namespace tovarin {

struct ErrorAtResponse
{
    double pct = 0.0;        // signed, of largest magnitude
    double atResponse = 0.0; // volts or hertz
};

inline constexpr int kSegmentSamples = 128;

// The measure above over consecutive breakpoints; empty when no sample has
// a flow at or above the idle flow.
std::optional<ErrorAtResponse> InterpolationError(const FlowModel& model,
                                                  const std::vector<double>& breakpoints,
                                                  double idleFlowGs);

// N evenly spaced responses from low to high, both included.
std::vector<double> EvenBreakpoints(double low, double high, int n);

// N >= 2 breakpoints from low to high minimising InterpolationError.
std::vector<double> PlaceBreakpoints(const FlowModel& model, double low, double high, int n,
                                     double idleFlowGs);

} // namespace tovarin
