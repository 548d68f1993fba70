#pragma once
// The curves a calibration can rest on, each giving the flow Q in g/s at a
// response R (the table's direction) and, where it has one, the response at
// a flow (the charts and the per-row texts):
//   king         R = a + b Q^c                       (Q = KingFlow(R))
//   king-offset  R = a + b (Q + q0)^c, q0 >= 0       (Q = max(KingFlow(R) - q0, 0))
//   poly         Q = p0 + p1 R + ... + pn R^n, n = 3 to 5, clamped at 0
//   monotone     Q through knots (R_i, Q_i) by cubic Hermite pieces with the
//                slopes m_i (Fritsch-Carlson); outside the knots the straight
//                line of the end slope, never below 0
// The response at a flow inverts Q(R) by bisection for poly and monotone.

#include "King.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// In the order of the comparison.
enum class ModelKind
{
    King,
    KingOffset,
    Poly,
    Monotone
};

inline constexpr std::array kModelKinds = {ModelKind::King, ModelKind::KingOffset, ModelKind::Poly,
                                           ModelKind::Monotone};

// "king", "king-offset", "poly", "monotone": the option's and JSON's names.
const char* ModelName(ModelKind kind);
std::optional<ModelKind> ModelNamed(std::string_view name);

// "King's equation", "King's equation with a flow offset", "the polynomial",
// "the monotone interpolant": the model in a sentence.
const char* ModelTitle(ModelKind kind);

struct MonotoneKnots
{
    std::vector<double> responses; // strictly increasing, volts or hertz
    std::vector<double> flows;     // g/s, non-decreasing
    std::vector<double> slopes;    // dQ/dR at each knot, g/s per volt or hertz
};

struct FlowModel
{
    ModelKind kind = ModelKind::King;
    KingCoefficients king{};    // king and king-offset
    double q0 = 0.0;            // king-offset, g/s
    std::vector<double> poly{}; // p0 to pn, g/s per (volt or hertz)^k
    MonotoneKnots knots{};

    int ParameterCount() const; // monotone: two a knot (its flow and slope)
};

// Q(R) in g/s.
double ModelFlow(const FlowModel& model, double response);

// The response at which Q(R) reaches `flowGs`, searched within `low` to
// `high` for the models that give Q(R) only (the largest such response for
// a flow where Q(R) is flat, as at zero flow); NaN where there is none.
double ModelResponse(const FlowModel& model, double flowGs, double low, double high);

// Fritsch-Carlson slopes of the knots (responses strictly increasing,
// flows non-decreasing): the secants' mean inside, the end secant at the
// ends, zero where the secants change sign or one is flat, and each pair
// scaled by 3 / sqrt(alpha^2 + beta^2) where alpha^2 + beta^2 > 9.
MonotoneKnots MonotoneThrough(std::vector<double> responses, std::vector<double> flows);

// One parameter as JSON and the run log name it: a number, or a list of
// them for the monotone knots.
struct ModelParameter
{
    std::string name;
    std::vector<double> values; // one value unless `list`
    bool list = false;
};

// king: a, b, c; king-offset: a, b, c, q0; poly: p0 to pn; monotone:
// responses, flows, slopes.
std::vector<ModelParameter> ModelParameters(const FlowModel& model);

} // namespace tovarin
