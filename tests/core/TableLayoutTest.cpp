// The table's word types at their edges, and breakpoints placed against the
// interpolation error they cost.

#include "TableCheck.h"

#include "LastRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tovarin;

TEST(TableWords, EachTypeRoundsAndSaturatesAtItsEdges)
{
    struct Case
    {
        const char* name;
        WordType type;
        double flow, scale;
        double value;
        bool saturated;
    } const cases[] = {
        {"int, half up", WordType::Int, 2.5, 1, 3, false},
        {"int beyond its range: the edge, as always, no saturation", WordType::Int, 3e9, 1,
         2147483647, false},
        {"int NaN is 0", WordType::Int, std::nan(""), 1, 0, false},
        {"u8 at its top", WordType::U8, 254.5, 1, 255, false},
        {"u8 just above", WordType::U8, 255.5, 1, 255, true},
        {"u8 scaled by 10", WordType::U8, 25.56, 10, 255, true},
        {"u16 scaled", WordType::U16, 6553.54, 10, 65535, false},
        {"s16 at its bottom", WordType::S16, -32768.4, 1, -32768, false},
        {"s16 below", WordType::S16, -32769, 1, -32768, true},
        {"s16 at its top", WordType::S16, 32767.49, 1, 32767, false},
        {"u32 top", WordType::U32, 4294967294.6, 1, 4294967295, false},
        {"u32 negative saturates at 0", WordType::U32, -0.6, 1, 0, true},
        {"f32 not rounded", WordType::F32, 1.25, 2, 2.5, false},
        {"f32 the nearest float", WordType::F32, 0.1, 1, static_cast<double>(0.1f), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TableWord word = MakeWord(c.flow, c.type, c.scale);
        EXPECT_EQ(word.value, c.value);
        EXPECT_EQ(word.saturated, c.saturated);
    }
    EXPECT_EQ(WordText(4294967295.0, WordType::U32), "4294967295");
    EXPECT_EQ(WordText(static_cast<double>(0.1f), WordType::F32), "0.100000001");
}

TEST(TableWords, TheWordRangeCheckFollowsTheType)
{
    // flow = response g/s: words 0, 100, 200 and 300 times the scale.
    Reduction run = LastRun({0.0, 1.0, 1.0}, 0, "M");
    run.outcome = {true, FitMode::NonLinear, true, "", 20};
    struct Case
    {
        const char* name;
        WordType type;
        double scale;
        int maxWord;
        const char* detail;
    } const cases[] = {
        {"u8 scaled by 2: two words saturate", WordType::U8, 2, 65535,
         "2 words saturated at 255 (--word u8)"},
        {"u16 at --max-word", WordType::U16, 1, 300, "words 0 to 300"},
        {"u16 above --max-word", WordType::U16, 1, 299,
         "1 of 4 words exceed 299 (largest 300): choose a lower Response Max"},
        {"s16 scaled by 200", WordType::S16, 200, 65535, "2 words saturated at 32767 (--word s16)"},
        {"f32 within --max-word", WordType::F32, 0.5, 65535, "words 0 to 150"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OutputParameters output{.responseMin = 0,
                                      .responseMax = 300,
                                      .pointCount = 4,
                                      .outputFlowUnit = OutputFlowUnit::GPerSec,
                                      .wordType = c.type,
                                      .wordScale = c.scale};
        const Verdict verdict = JudgeCalibration(run, output, {.maxWord = c.maxWord});
        const auto range = std::ranges::find(verdict.checks, "word range", &Check::name);
        ASSERT_NE(range, verdict.checks.end());
        EXPECT_EQ(range->detail, c.detail);
        EXPECT_EQ(range->passed, std::string(c.detail).rfind("words ", 0) == 0);
    }
}

TEST(TableBreakpoints, PlacedWithinTwoPercentOfTheOptimum)
{
    // King's inverse with a = 1, b = 0.5, c = 0.5: Q = 4 x^2, x = R - 1, from
    // 2 to 5 V (x from 1 to 4), convex throughout. The chord over [x0, x1]
    // misses by (x - x0)(x1 - x) / x^2, largest at x = 2 x0 x1 / (x0 + x1):
    // (x1 - x0)^2 / (4 x0 x1). Equal errors on every segment are optimal,
    // which makes x1 / x0 = 4^(1/(N-1)) on each: for N = 8, rho = 4^(1/7) and
    // E = (rho - 1)^2 / (4 rho) = 0.98370 %. Evenly spaced, the first segment
    // (x 1 to 1 + 3/7) misses by (3/7)^2 / (4 * 10/7) = 3.2143 %.
    const FlowModel king{.king = {1.0, 0.5, 0.5}};
    const double rho = std::pow(4.0, 1.0 / 7.0);
    const double optimum = (rho - 1) * (rho - 1) / (4 * rho) * 100.0;
    const std::vector<double> placed = PlaceBreakpoints(king, 2.0, 5.0, 8, 2.0);
    ASSERT_EQ(placed.size(), 8u);
    EXPECT_EQ(placed.front(), 2.0);
    EXPECT_EQ(placed.back(), 5.0);
    const std::optional<ErrorAtResponse> achieved = InterpolationError(king, placed, 2.0);
    ASSERT_TRUE(achieved);
    EXPECT_NEAR(achieved->pct / optimum, 1.0, 0.02) << achieved->pct;
    // Near the geometric optimum: breakpoint 4 at x = rho^3.
    EXPECT_NEAR(placed[3], 1.0 + std::pow(rho, 3.0), 0.01);
    const std::optional<ErrorAtResponse> even =
        InterpolationError(king, EvenBreakpoints(2.0, 5.0, 8), 2.0);
    EXPECT_NEAR(even->pct, 100.0 * (3.0 / 7) * (3.0 / 7) / (4 * 10.0 / 7), 0.01);

    // S-shaped: a hot-film curve's monotone interpolant; placing beats even spacing.
    std::vector<double> r, q;
    for (const double flow : {0.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0, 128.0, 256.0, 400.0}) {
        q.push_back(flow);
        r.push_back(0.95 + 0.5 * std::pow(flow, 0.45) + 0.3 * (1.0 - std::exp(-flow / 8.0)));
    }
    const FlowModel hotFilm{.kind = ModelKind::Monotone, .knots = MonotoneThrough(r, q)};
    for (const int n : {4, 16, 32}) {
        SCOPED_TRACE(n);
        const double placedError = std::fabs(
            InterpolationError(hotFilm, PlaceBreakpoints(hotFilm, r.front(), r.back(), n, 2.0), 2.0)
                ->pct);
        const double evenError = std::fabs(
            InterpolationError(hotFilm, EvenBreakpoints(r.front(), r.back(), n), 2.0)->pct);
        EXPECT_LT(placedError, evenError);
    }
}
