// The models beside King's equation: each recovers a curve built from known
// parameters, the leave-one-out error and `best` follow their rules, and the
// choice reaches the table.

#include "ModelComparison.h"
#include "Reduce.h"
#include "TableCheck.h"
#include "Uncertainty.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

using namespace tovarin;

namespace {

// Rows in g/s: a zero-flow row, then 18 flows geometric from 2 to 400 g/s,
// the way a bench steps through a hot-film sensor's range.
std::vector<double> BenchFlows()
{
    std::vector<double> flows{0.0};
    for (int i = 0; i < 18; ++i)
        flows.push_back(2.0 * std::pow(200.0, i / 17.0));
    return flows;
}

RunInput InputOf(const std::vector<double>& flows, const std::function<double(double)>& response,
                 double noise = 0.0)
{
    RunInput input;
    std::mt19937 random(7);
    std::normal_distribution<double> relative(0.0, noise);
    for (std::size_t i = 0; i < flows.size(); ++i) {
        input.typedFlow[i] = flows[i];
        input.typedResponse[i] = response(flows[i]) * (noise > 0.0 ? 1.0 + relative(random) : 1.0);
    }
    for (std::size_t i = flows.size(); i < kMaxRows; ++i)
        input.typedFlow[i] = flows.back(); // ends the table
    return input;
}

// A hot-film sensor: a sum of two power laws and a low-flow shoulder, which
// King's equation misses by an S-shaped error largest at idle.
double HotFilm(double q)
{
    return 0.95 + 0.5 * std::pow(q, 0.45) + 0.3 * (1.0 - std::exp(-q / 8.0));
}

ModelSettings Settings(ModelChoice choice, double idle = kDefaultIdleFlowGs)
{
    return {.choice = choice, .idleFlowGs = idle, .tableLow = 0.0, .tableHigh = 5.0};
}

} // namespace

TEST(Models, MonotoneInterpolantBetweenAndBeyondItsKnots)
{
    // Knots (1, 0), (2, 1), (3, 4): secants 1 and 3, Fritsch-Carlson slopes
    // 1, (1 + 3) / 2 = 2 and 3 (alpha^2 + beta^2 at most 5, no scaling).
    FlowModel m{.kind = ModelKind::Monotone, .knots = MonotoneThrough({1, 2, 3}, {0, 1, 4})};
    EXPECT_EQ(m.knots.slopes, (std::vector<double>{1.0, 2.0, 3.0}));
    // At 1.5: h00 = h01 = 0.5, h10 = 0.125, h11 = -0.125:
    // 0.125 * 1 + 0.5 * 1 - 0.125 * 2 = 0.375.
    EXPECT_DOUBLE_EQ(ModelFlow(m, 1.5), 0.375);
    EXPECT_DOUBLE_EQ(ModelFlow(m, 2.0), 1.0);
    // Beyond the knots: the end slopes' straight lines, never below zero flow.
    EXPECT_DOUBLE_EQ(ModelFlow(m, 4.0), 4.0 + 3.0);
    EXPECT_DOUBLE_EQ(ModelFlow(m, 5.5), 4.0 + 3.0 * 2.5);
    EXPECT_EQ(ModelFlow(m, 0.5), 0.0);
    EXPECT_DOUBLE_EQ(ModelResponse(m, 1.0, 0.0, 10.0), 2.0);
    // A steep pair is scaled: secants 1 and 10 give slope 5.5 and alpha^2 + beta^2
    // = 1 + 30.25 > 9 on the first interval, so both scale by 3 / sqrt(31.25).
    const MonotoneKnots steep = MonotoneThrough({0, 1, 2}, {0, 1, 11});
    EXPECT_DOUBLE_EQ(steep.slopes[0], 3.0 / std::sqrt(31.25));
    EXPECT_DOUBLE_EQ(steep.slopes[1], 3.0 / std::sqrt(31.25) * 5.5);
}

TEST(Models, LeaveOneOutWorkedByHand)
{
    // Q = (R - 1)^2 at R = 1, 2, 3, 4; the end rows are never left out.
    // Without row 1: knots (1, 0), (3, 4), (4, 9), slopes 2, 3.5, 5; at R = 2
    // (t = 0.5, h = 2): 0.125 * 2 * 2 + 0.5 * 4 - 0.125 * 2 * 3.5 = 1.625, +62.5 %.
    // Without row 2: knots (1, 0), (2, 1), (4, 9), slopes 1, 2.5, 4; at R = 3:
    // 0.5 * 1 + 0.125 * 2 * 2.5 + 0.5 * 9 - 0.125 * 2 * 4 = 4.625, +15.625 %.
    const RunInput input = InputOf({0, 1, 4, 9}, [](double q) { return 1.0 + std::sqrt(q); });
    struct Case
    {
        const char* name;
        double idle;
        double pct;
        int row;
    } const cases[] = {{"every row judged", 0.0, 62.5, 1}, {"row 1 below idle", 2.0, 15.625, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Reduction run = Reduce(input, Settings(ModelChoice::Monotone, c.idle));
        const ModelAssessment& m = run.comparison->Of(ModelKind::Monotone);
        ASSERT_TRUE(m.looMaxFlowError);
        EXPECT_NEAR(m.looMaxFlowError->pct, c.pct, 1e-9);
        EXPECT_EQ(m.looMaxFlowError->row, c.row);
        EXPECT_EQ(m.model.ParameterCount(), 8);
        EXPECT_FALSE(m.aicc);
    }
    // The interpolant's uncertainty: its leave-one-out error as the half-width
    // of a rectangular distribution, 95 % of it at k = 0.95 sqrt(3). R = 1 + 3
    // * 3 / 9 = 2 is a knot at 1 g/s: U = 0.95 * 62.5 % of 1 g/s.
    const Verdict judged = JudgeCalibration(Reduce(input, Settings(ModelChoice::Monotone, 0.0)),
                                            {0.0, 5.0, 16}, {.idleFlowGs = 0.0});
    ASSERT_EQ(judged.uncertainty.size(), 10u);
    EXPECT_DOUBLE_EQ(judged.uncertainty[3].response, 2.0);
    EXPECT_NEAR(judged.uncertainty[3].expandedGs, 0.59375, 1e-12);
    EXPECT_NEAR(judged.uncertainty[3].expandedPct, 59.375, 1e-10);
    EXPECT_NEAR(judged.uncertainty[3].coverageFactor, 1.6454482671904334, 1e-15);
    // No interior row at or above idle: nothing to judge fails the check.
    const Reduction none = Reduce(input, Settings(ModelChoice::Monotone, 5.0));
    const Verdict verdict = JudgeCalibration(none, {0.0, 5.0, 16}, {.idleFlowGs = 5.0});
    EXPECT_EQ(verdict.checks[1].name, "flow error");
    EXPECT_FALSE(verdict.checks[1].passed);
}

TEST(Models, EachRecoversTheCurveItWasBuiltFrom)
{
    // King's equation with a flow offset: a = 1, b = 0.8, c = 0.45, q0 = 0.5.
    const Reduction offset =
        Reduce(InputOf(BenchFlows(), [](double q) { return 1.0 + 0.8 * std::pow(q + 0.5, 0.45); }),
               Settings(ModelChoice::KingOffset));
    const FlowModel& o = offset.model;
    EXPECT_EQ(o.kind, ModelKind::KingOffset);
    EXPECT_NEAR(o.king.a, 1.0, 1e-6);
    EXPECT_NEAR(o.king.b, 0.8, 1e-6);
    EXPECT_NEAR(o.king.c, 0.45, 1e-7);
    EXPECT_NEAR(o.q0, 0.5, 1e-5);
    // A cubic of flow in response, Q = 1 + 2R + 0.5R^2 + 0.1R^3 at R = 1 to 8.
    std::vector<double> flows;
    for (int r = 1; r <= 8; ++r)
        flows.push_back(1.0 + 2.0 * r + 0.5 * r * r + 0.1 * r * r * r);
    RunInput cubic = InputOf(flows, [](double) { return 0.0; });
    for (int r = 1; r <= 8; ++r)
        cubic.typedResponse[static_cast<std::size_t>(r - 1)] = r;
    const Reduction poly = Reduce(cubic, Settings(ModelChoice::Poly, 0.0));
    ASSERT_EQ(poly.model.kind, ModelKind::Poly);
    const double expected[] = {1.0, 2.0, 0.5, 0.1, 0.0, 0.0};
    for (std::size_t k = 0; k < poly.model.poly.size(); ++k)
        EXPECT_NEAR(poly.model.poly[k], expected[k], 1e-7) << "p" << k;
    EXPECT_NEAR(ModelFlow(poly.model, 4.5), 1.0 + 9.0 + 10.125 + 9.1125, 1e-8);
}

TEST(Models, HotFilmSensorKingMissesTheOthersPredict)
{
    // Exact and with 0.2 % noise on the responses: King's equation misses
    // idle by more than 5 %, the polynomial predicts within 3.5 %, and the
    // hint names the model that passes.
    for (const double noise : {0.0, 0.002}) {
        SCOPED_TRACE(noise);
        const Reduction run =
            Reduce(InputOf(BenchFlows(), HotFilm, noise), {.choice = ModelChoice::King,
                                                           .maxFlowErrorPct = 3.5,
                                                           .tableLow = 0.0,
                                                           .tableHigh = 9.0});
        ASSERT_TRUE(run.comparison); // King's equation failed: compared for the hint
        const ModelComparison& c = *run.comparison;
        EXPECT_GT(std::fabs(c.Of(ModelKind::King).maxFlowError->pct), 5.0);
        EXPECT_EQ(c.Of(ModelKind::King).maxFlowError->row, 1); // at idle
        EXPECT_LT(std::fabs(c.Of(ModelKind::Poly).maxFlowError->pct), 2.0);
        EXPECT_LT(std::fabs(c.Of(ModelKind::Poly).looMaxFlowError->pct), 3.5);
        for (const ModelAssessment& m : c.models)
            EXPECT_TRUE(m.eligible) << ModelName(m.model.kind) << ": " << m.why;
        EXPECT_EQ(BestModel(c), ModelKind::Poly);
        const std::optional<std::string> hint = BetterModelHint(c, ModelKind::King, run.set, 3.5);
        ASSERT_TRUE(hint);
        EXPECT_EQ(hint->rfind("King's equation misses by -", 0), 0u) << *hint;
        EXPECT_NE(hint->find(" at 2 g/s; poly predicts within "), std::string::npos) << *hint;
        EXPECT_EQ(hint->substr(hint->size() - 29), "(leave-one-out): --model poly");
        // Chosen, the polynomial's flow carries its uncertainty at t(0.975,
        // 19 rows - its parameters).
        const Reduction poly =
            Reduce(InputOf(BenchFlows(), HotFilm, noise), Settings(ModelChoice::Poly));
        const Verdict verdict = JudgeCalibration(poly, {0.0, 9.0, 16}, {});
        ASSERT_EQ(verdict.uncertainty.size(), 10u);
        EXPECT_EQ(verdict.uncertainty[5].coverageFactor,
                  CoverageFactor(19 - poly.model.ParameterCount()));
        EXPECT_GT(verdict.uncertainty[5].expandedPct, 0.0);
    }
}

TEST(Models, BestTakesTheFewestParametersWithinATwentiethOfAPoint)
{
    const auto comparison = [](std::array<double, 4> loo, std::array<bool, 4> eligible) {
        ModelComparison c;
        for (std::size_t i = 0; i < 4; ++i) {
            c.models[i].model.kind = kModelKinds[i];
            c.models[i].model.poly.assign(5, 0.0);             // poly: 5 parameters
            c.models[i].model.knots.responses.assign(19, 0.0); // monotone: 38
            c.models[i].eligible = eligible[i];
            c.models[i].looMaxFlowError = LargestError{-loo[i], 1};
        }
        return c;
    };
    struct Case
    {
        const char* name;
        std::array<double, 4> loo;
        std::array<bool, 4> eligible;
        ModelKind best;
    } const cases[] = {
        {"king at exactly 0.05 above the smallest",
         {1.05, 2.0, 1.0, 0.9},
         {1, 1, 1, 0},
         ModelKind::King},
        {"king just beyond", {1.0501, 2.0, 1.0, 0.9}, {1, 1, 1, 0}, ModelKind::Poly},
        {"an ineligible smallest does not count",
         {1.0, 2.0, 3.0, 0.1},
         {1, 1, 1, 0},
         ModelKind::King},
        {"monotone alone well below", {3.0, 2.0, 1.0, 0.5}, {1, 1, 1, 1}, ModelKind::Monotone},
        {"nothing eligible", {1.0, 1.0, 1.0, 1.0}, {0, 0, 0, 0}, ModelKind::King},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BestModel(comparison(c.loo, c.eligible)), c.best);
    }
}

TEST(Models, NonMonotonicPolynomialAndFallingResponsesAreNotEligible)
{
    // Q = R^3 - 9.3 R^2 + 28 R rises at R = 1, 2, 4 to 7 but falls between
    // the roots of 3R^2 - 18.6R + 28, 2.574 and 3.626; with 6 rows only order 3 fits.
    std::vector<double> rs{1, 2, 4, 5, 6, 7}, flows;
    for (const double r : rs)
        flows.push_back(r * r * r - 9.3 * r * r + 28.0 * r);
    RunInput input = InputOf(flows, [](double) { return 0.0; });
    for (std::size_t i = 0; i < rs.size(); ++i)
        input.typedResponse[i] = rs[i];
    const Reduction run = Reduce(input, Settings(ModelChoice::Poly, 0.0));
    const ModelAssessment& poly = run.comparison->Of(ModelKind::Poly);
    EXPECT_FALSE(poly.monotonic);
    EXPECT_FALSE(poly.eligible);
    EXPECT_EQ(poly.why, "no order of 3 to 5 is monotonic over the measured and table responses");
    EXPECT_NE(BestModel(*run.comparison), ModelKind::Poly);

    // A response that falls: neither poly nor monotone can be made, and a
    // chosen model that cannot be made leaves no usable fit.
    input.typedResponse[3] = 3.0;
    const Reduction falling = Reduce(input, Settings(ModelChoice::Monotone, 0.0));
    const ModelAssessment& monotone = falling.comparison->Of(ModelKind::Monotone);
    EXPECT_FALSE(monotone.made);
    EXPECT_EQ(monotone.why, "the response of row 3 does not rise above the row before it");
    EXPECT_FALSE(HasUsableFit(falling));
}

TEST(Models, KingAloneComparesNothingUnlessItFails)
{
    const RunInput king =
        InputOf(BenchFlows(), [](double q) { return 1.0 + 0.3 * std::pow(q, 0.6); });
    EXPECT_FALSE(Reduce(king).comparison);
    EXPECT_TRUE(Reduce(king, {.compare = true}).comparison);
    EXPECT_TRUE(Reduce(InputOf(BenchFlows(), HotFilm)).comparison);
    // The chosen model writes the table: poly's words differ from King's.
    const RunInput hotFilm = InputOf(BenchFlows(), HotFilm);
    const OutputParameters output{1.2, 8.0, 8, OutputFlowUnit::GPerSec};
    const Reduction k = Reduce(hotFilm), p = Reduce(hotFilm, Settings(ModelChoice::Poly));
    EXPECT_NE(CheckFlowTable(k, output).maxWord, CheckFlowTable(p, output).maxWord);
    EXPECT_NEAR(CheckFlowTable(p, output).flowAtResponseMaxGs, ModelFlow(p.model, 8.0), 0.0);
    // The zero-flow row's fitted response is where the polynomial leaves zero
    // flow, near the row's own response, not the bottom of the search range.
    EXPECT_NEAR(p.set.fittedResponse[0], p.set.response[0], 0.05);
}
