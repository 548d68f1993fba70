#include "TableCheck.h"

#include "Drift.h"
#include "LastRun.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tovarin;
using enum tovarin::OutputFlowUnit;

namespace {

// A converged non-linear fit of rows at 2 to 200 g/s lying exactly on `k`.
Reduction ExactFit(KingCoefficients k, int responseKind = 0)
{
    Reduction run = LastRun(k, responseKind, "M");
    run.outcome = {true, FitMode::NonLinear, true, "", 20};
    run.set.rowCount = 4;
    const double flows[] = {2, 20, 100, 200};
    for (std::size_t i = 0; i < 4; ++i) {
        run.set.flowGs[i] = flows[i];
        run.set.response[i] = KingResponse(flows[i], k);
    }
    return run;
}

std::string FailedChecks(const Verdict& verdict)
{
    std::string names;
    for (const Check& check : verdict.checks)
        names += check.passed ? "" : check.name + ";";
    return names;
}

} // namespace

TEST(TableCheck, TheControllersViewOfTheTable)
{
    // flow = ((response - 1) / 0.26)^2 g/s over 0 to 5 V in 1024 points; words
    // counted in plain Python with the same accumulation of the step.
    const Reduction run = ExactFit({1.0, 0.26, 0.5});
    const Verdict tenMg = JudgeCalibration(run, {0.0, 5.0, 1024, TenMgPerSec});
    EXPECT_EQ(FailedChecks(tenMg), "");
    EXPECT_EQ(tenMg.table->maxWord, 23669);
    EXPECT_NEAR(tenMg.table->flowAtResponseMaxGs, 236.68639053254438, 1e-9);

    const Verdict mg = JudgeCalibration(run, {0.0, 5.0, 1024, MgPerSec});
    EXPECT_EQ(FailedChecks(mg), "word range;");
    EXPECT_EQ(mg.checks[2].detail,
              "388 of 1024 words exceed 65535 (largest 236686): choose 10*mg/sec or fewer points");

    // In g/sec a word is a whole g/s: at 2 g/s rounding costs up to 25 %.
    const Verdict g = JudgeCalibration(run, {0.0, 5.0, 1024, GPerSec});
    EXPECT_EQ(FailedChecks(g), "table error;");
    EXPECT_EQ(g.checks[4].detail.substr(0, 31), "rounding to whole words costs +");

    // b < 0: the flows fall as the responses rise.
    const Verdict falling =
        JudgeCalibration(ExactFit({5.0, -0.26, 0.5}), {0.0, 4.0, 64, TenMgPerSec});
    EXPECT_EQ(falling.table->firstDecrease, 1);
    EXPECT_EQ(FailedChecks(falling), "monotonic;");

    // Freq: the range words 0 and 15000 before and after are not flows.
    const TableCheck freq =
        CheckFlowTable(ExactFit({1000.0, 20.0, 0.5}, 1), {0.0, 15000.0, 3, GPerSec});
    EXPECT_EQ(freq.minWord, 0);             // (0 - 1000) / 20 is no flow
    EXPECT_EQ(freq.maxWord, 490000);        // ((15000 - 1000) / 20)^2
    EXPECT_EQ(freq.extrapolatedPct, 100.0); // the rows span 1028 to 1283 Hz only
}

TEST(Checks, EachLimitPassesAtItsValueAndFailsJustAbove)
{
    const Reduction run = ExactFit({0.0, 1.0, 1.0}); // flow = response
    struct Case
    {
        const char* name;
        double atLimit, justAbove;
        std::function<bool(double value)> passes;
    } const cases[] = {
        {"flow error, limit 2 %", -2.0, -2.000000001,
         [&](double value) {
             FitQuality quality;
             quality.maxFlowError = LargestError{value, 3};
             return RunChecks(run, quality, {}, {.maxFlowErrorPct = 2.0})[1].passed;
         }},
        {"table error, limit 0.5 %", 0.5, 0.500000001,
         [&](double value) {
             TableCheck table;
             table.maxRoundingError = ErrorAtResponse{value, 1.0};
             return RunChecks(run, {}, table, {.maxTableErrorPct = 0.5})[4].passed;
         }},
        {"word limit 65535: one word at that flow", 65535.0, 65536.0,
         [&](double value) {
             const OutputParameters one{value, 0.0, 1, GPerSec};
             const CheckThresholds limits{.maxWord = 65535};
             return RunChecks(run, {}, CheckFlowTable(run, one, limits), limits)[2].passed;
         }},
        {"drift, limit 1 %", -1.0, -1.000000001,
         [&](double value) {
             return DriftCheck({.points = {}, .largest = DriftPoint{2.5, value}}, 1.0).passed;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.passes(c.atLimit));
        EXPECT_FALSE(c.passes(c.justAbove));
    }
}

TEST(Checks, ARowOrABreakpointAtExactlyTheIdleFlowCounts)
{
    Reduction run = ExactFit({1.0, 0.26, 0.5});
    run.set.response[0] += 0.01; // row 0, at 2 g/s, has the largest flow error
    EXPECT_EQ(AssessFit(run, 2.0).maxFlowError->row, 0);
    EXPECT_NE(AssessFit(run, 2.0 + 1e-9).maxFlowError->row, 0);

    const Reduction identity = ExactFit({0.0, 1.0, 1.0}); // flow = response
    const OutputParameters atTwo{2.0, 2.0, 1, TenMgPerSec};
    EXPECT_TRUE(CheckFlowTable(identity, atTwo, {.idleFlowGs = 2.0}).maxRoundingError);
    EXPECT_FALSE(CheckFlowTable(identity, atTwo, {.idleFlowGs = 2.0 + 1e-9}).maxRoundingError);
}

TEST(Drift, ChangesAlongTheRangeAtTheSameResponse)
{
    // Now flow = r, before flow = r^2: the change (r - r^2) / r^2 = 1 / r - 1
    // is 0 at r = 1 and -66.67 % at r = 3, the end of the overlap [1, 3].
    const CalibrationCurve now{ResponseKind::Volts, {.king = {0.0, 1.0, 1.0}}, 1.0, 4.0};
    const CalibrationCurve before{ResponseKind::Volts, {.king = {0.0, 1.0, 0.5}}, 0.5, 3.0};
    const DriftResult result = CompareCalibrations(now, before, 0.0);
    ASSERT_TRUE(result.drift);
    const Drift& drift = *result.drift;
    ASSERT_EQ(drift.points.size(), 50u);
    EXPECT_EQ(drift.points[0].response, 1.0);
    EXPECT_NEAR(drift.points[0].changePct, 0.0, 1e-12);
    const double r = 1.0 + 2.0 * 20 / 49.0; // point 20
    EXPECT_NEAR(drift.points[20].changePct, (1.0 / r - 1.0) * 100.0, 1e-9);
    EXPECT_EQ(drift.largest->response, 3.0);
    EXPECT_NEAR(drift.largest->changePct, -200.0 / 3.0, 1e-9);
    // Only flows of at least the idle flow compare: now 2 g/s is at 2 V.
    EXPECT_EQ(CompareCalibrations(now, before, 2.0).drift->points[0].response, 2.0);
    // Nothing to compare: flows infinite everywhere (b = 0), or all below idle.
    const CalibrationCurve infinite{ResponseKind::Volts, {.king = {0.0, 0.0, 1.0}}, 1.0, 3.0};
    const CalibrationCurve low{ResponseKind::Volts, {.king = {0.0, 100.0, 1.0}}, 1.0, 3.0};
    for (const CalibrationCurve& other : {infinite, low}) {
        const Drift none = *CompareCalibrations(now, other, 2.0).drift;
        EXPECT_TRUE(none.points.empty());
        EXPECT_FALSE(DriftCheck(none, 5.0).passed);
        EXPECT_EQ(DriftCheck(none, 5.0).detail,
                  "no response where both calibrations give a flow of at least 2 g/s");
    }
}

TEST(Uncertainty, GrowsTowardsTheOffsetWhereTheInverseCurveIsSteep)
{
    // flow = ((r - 1) / 2)^2 with only a uncertain (sigma 0.1), 5 degrees of
    // freedom: U = t * 0.1 * |dQ/da| = 2.5705818 * 0.1 * (r - 1) / 2.
    Reduction run = LastRun({1.0, 2.0, 0.5});
    run.set.rowCount = 2;
    run.set.response = {2.0, 5.0};
    FitQuality quality;
    quality.dof = 5;
    quality.uncertainty = CoefficientUncertainty{};
    quality.uncertainty->covariance[0][0] = 0.01;
    const std::vector<FlowUncertainty> table = FlowUncertaintyTable(run, quality);
    ASSERT_EQ(table.size(), 10u);
    const double t = 2.57058184;
    EXPECT_NEAR(table[0].expandedGs, t * 0.1 * 0.5, 1e-12);              // at 2 V, flow 0.25 g/s
    EXPECT_NEAR(table[0].expandedPct, t * 0.1 * 0.5 / 0.25 * 100, 1e-9); // 51.4 %
    EXPECT_NEAR(table[9].expandedGs, t * 0.1 * 2.0, 1e-12);              // at 5 V, flow 4 g/s
    EXPECT_NEAR(table[9].expandedPct, t * 0.1 * 2.0 / 4.0 * 100, 1e-9);  // 12.9 %
    EXPECT_EQ(table[9].coverageFactor, t);
}

TEST(Checks, ACheckWithNothingToJudgeFails)
{
    const Reduction volts = ExactFit({1.0, 0.26, 0.5});             // rows at 1.37 to 4.68 V
    const Reduction freq = ExactFit({1000.0, 20.0, 0.5}, 1);        // rows at 1028 to 1283 Hz
    const Reduction framedRun = ExactFit({1000.0, 2000.0, 0.5}, 1); // 1190 g/s at 70000 Hz
    struct Case
    {
        const char* name;
        const Reduction* run;
        OutputParameters output;
        CheckThresholds limits;
        const char* failed; // the check that fails
        std::string detail;
    } const cases[] = {
        // clang-format off
        {"a table of no words", &volts, {0.0, 5.0, 0, TenMgPerSec}, {}, "coverage",
         "the table has no words"},
        {"all words 0: a range below the offset", &volts,
         {0.0, 0.9, 1024, TenMgPerSec}, {}, "coverage",
         "all 1024 words are 0: the table tells the controller no flow"},
        {"a range that misses the sensor", &freq, {2000.0, 15000.0, 64, GPerSec},
         {.maxWord = 2147483646}, "coverage",
         "no word lies inside the measured responses: choose Response Min and Max over them"},
        {"a frame word the controller cannot hold", &framedRun,
         {1000.0, 70000.0, 64, GPerSec}, {}, "word range",
         "the frame word 70000 (response max) is outside 0 to 65535"},
        {"no breakpoint at or above the idle flow", &volts,
         {1.0, 1.3, 16, TenMgPerSec}, {}, "table error",
         "no breakpoint has a flow at or above the idle flow"},
        {"no row at or above the idle flow", &volts, {0.0, 5.0, 1024, TenMgPerSec},
         {.idleFlowGs = 250.0}, "flow error", "no row has a flow of at least 250 g/s"},
        {"more extrapolated than allowed", &volts, {0.0, 5.0, 1024, TenMgPerSec},
         {.maxExtrapolatedPct = 33.0}, "extrapolation",
         "33.9 % of the words lie outside the measured responses (limit 33 %)"}, // 347 of 1024
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Verdict verdict = JudgeCalibration(*c.run, c.output, c.limits);
        const auto check = std::find_if(verdict.checks.begin(), verdict.checks.end(),
                                        [&](const Check& k) { return k.name == c.failed; });
        ASSERT_NE(check, verdict.checks.end());
        EXPECT_FALSE(check->passed);
        if (!c.detail.empty()) {
            EXPECT_EQ(check->detail, c.detail);
        }
    }
    // The frame word counts in the check but not among the table's words.
    const TableCheck framed = CheckFlowTable(framedRun, {1000.0, 70000.0, 64, GPerSec});
    EXPECT_EQ(framed.frameWordsOutOfRange, 1);
    EXPECT_EQ(framed.maxWord, 1190); // ((70000 - 1000) / 2000)^2 = 1190.25
    EXPECT_EQ(framed.wordsAbove65535, 0);
}
