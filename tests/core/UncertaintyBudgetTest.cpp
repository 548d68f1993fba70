#include "UncertaintyBudget.h"
#include "TableCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace tovarin;

namespace {

// A hot-film sensor, 0.5 (0.95 + 0.5 Q^0.45 + 0.3 (1 - exp(-Q / 8))) V at 12
// flows geometric from 2 to 400 g/s, fitted by the polynomial.
Reduction HotFilmRun()
{
    RunInput input;
    for (int i = 0; i < 12; ++i) {
        const double q = 2.0 * std::pow(200.0, i / 11.0);
        input.typedFlow[static_cast<std::size_t>(i)] = q;
        input.typedResponse[static_cast<std::size_t>(i)] =
            0.5 * (0.95 + 0.5 * std::pow(q, 0.45) + 0.3 * (1.0 - std::exp(-q / 8.0)));
    }
    return Reduce(input, {.choice = ModelChoice::Poly});
}

UncertaintyBudget Budget(const Reduction& run, const BudgetInputs& inputs)
{
    std::string why;
    const std::optional<UncertaintyBudget> budget =
        MakeUncertaintyBudget(run, AssessFit(run), inputs, why);
    EXPECT_TRUE(budget) << why;
    return budget.value_or(UncertaintyBudget{});
}

// Rows "flow,response flow,response ..." in g/s and volts, as a run of `choice`.
Reduction RunOf(const std::string& rows, ModelChoice choice)
{
    RunInput input;
    std::istringstream text(rows);
    std::string row;
    for (std::size_t i = 0; i < input.typedFlow.size() && text >> row; ++i) {
        const std::size_t comma = row.find(',');
        input.typedFlow[i] = std::stod(row.substr(0, comma));
        input.typedResponse[i] = std::stod(row.substr(comma + 1));
    }
    return Reduce(input, {.choice = choice});
}

// The sensor of budget_reference.py's KING and HOT_FILM (a zero-flow row and
// 18 geometric flows, 0.5 (0.95 + 0.5 Q^0.45 + 0.3 (1 - exp(-Q / 8))) V).
constexpr const char* kKingLike =
    "3,1.49377 4.5597,1.61386 6.9304,1.76317 10.5336,1.94888 16.0101,2.18022 24.3339,2.46994 "
    "36.9854,2.83325 56.2145,3.28325 85.4411,3.83992 129.863,4.53097 197.38,5.38983 300,6.45751";
constexpr const char* kHotFilm =
    "0,0.475000 2.0000,0.84969 2.7314,0.91131 3.7303,0.98299 5.0944,1.06581 6.9574,1.16061 "
    "9.5017,1.26784 12.9765,1.38762 17.7220,1.52016 24.2029,1.66649 33.0539,1.82927 "
    "45.1416,2.01282 61.6498,2.22232 84.1950,2.46288 114.9850,2.73960 157.0348,3.05798 "
    "214.4621,3.42429 292.8905,3.84575 400.0000,4.33067";

} // namespace

TEST(UncertaintyBudget, RoundingToleranceAndCoverageFactor)
{
    struct Case
    {
        double value, roundedUp;
    } const cases[] = {{0.01234, 0.013}, {1.2, 1.2}, {0.9901, 1.0}, {12.01, 13.0}, {0.5, 0.5}};
    for (const Case& c : cases)
        EXPECT_NEAR(RoundUpTwoDigits(c.value), c.roundedUp, 1e-12) << c.value;
    EXPECT_DOUBLE_EQ(TwoDigitTolerance(0.0123), 0.0005); // 12 x 10^-3: half of 10^-3
    EXPECT_DOUBLE_EQ(TwoDigitTolerance(1.0), 0.05);
    // t(0.975, nu) (scipy.stats.t.ppf): the table's last entry, the expansion's first and
    // two far beyond, infinity.
    struct T
    {
        std::optional<int> dof;
        double t;
    } const ts[] = {{17, 2.1098155778},  {30, 2.0422724563},     {31, 2.0395134464},
                    {119, 1.9800998764}, {999999, 1.9599663568}, {std::nullopt, 1.9599639845}};
    for (const T& t : ts)
        EXPECT_NEAR(CoverageFactorAt(t.dof), t.t, 3e-8) << t.dof.value_or(-1);
}

TEST(UncertaintyBudget, ReferenceFloorAndReproducibleTrials)
{
    const Reduction run = HotFilmRun();
    ASSERT_TRUE(HasUsableFit(run));
    // A common reference of 0.5 % (k = 2) moves every flow by 0.25 % per z:
    // u(Q) is at least 0.25 % at every response, U at least 1.96 x that.
    BudgetInputs inputs{.reference = ReadingUncertainty{0.5, 0.0}, .mcTrials = 20000};
    const UncertaintyBudget budget = Budget(run, inputs);
    EXPECT_EQ(budget.trials, 20000);
    for (const BudgetPoint& p : budget.table) {
        if (p.flowGs <= 0.0)
            continue;
        EXPECT_GE(p.combinedGs / p.flowGs * 100.0, 0.25 * (1 - 1e-6)) << p.response;
        EXPECT_GE(p.expandedPct, 1.959963984540054 * 0.25 * (1 - 1e-6)) << p.response;
        ASSERT_TRUE(p.mcLowGs && p.mcHighGs);
        EXPECT_LT(*p.mcLowGs, p.flowGs);
        EXPECT_GT(*p.mcHighGs, p.flowGs);
    }
    // The same trials on three threads: the same numbers.
    inputs.threads = 3;
    const UncertaintyBudget threaded = Budget(run, inputs);
    for (std::size_t j = 0; j < budget.table.size(); ++j)
        EXPECT_EQ(threaded.table[j].mcLowGs, budget.table[j].mcLowGs);
    // A CMC of 5 % lies above every U here: each stated U is 5 % exactly.
    const UncertaintyBudget floored = Budget(run, {.cmcPct = 5.0, .mcTrials = 1000});
    for (const BudgetPoint& p : floored.rows) {
        EXPECT_TRUE(p.cmcFloor);
        EXPECT_NEAR(p.expandedPct, 5.0, 1e-12);
    }
}

// Without --mc-trials the blocks of 10^4 go on until JCGM 101 7.9 finds them
// stable: here before the 10^6 cap, and at the same block on any thread count.
TEST(UncertaintyBudget, AdaptiveTrialsStopAtTheSameBlockOnAnyThreadCount)
{
    const Reduction run = RunOf(kKingLike, ModelChoice::Monotone);
    BudgetInputs inputs{.reference = ReadingUncertainty{0.5, 0.0}};
    const UncertaintyBudget one = Budget(run, inputs);
    inputs.threads = 3;
    const UncertaintyBudget three = Budget(run, inputs);
    EXPECT_TRUE(one.adaptive);
    EXPECT_EQ(one.trials % kTrialsPerBlock, 0);
    EXPECT_GE(one.trials, 2 * kTrialsPerBlock);
    EXPECT_LT(one.trials, kMaxAdaptiveTrials);
    EXPECT_EQ(three.trials, one.trials);
    for (std::size_t j = 0; j < one.table.size(); ++j)
        EXPECT_EQ(three.table[j].mcHighGs, one.table[j].mcHighGs);
}

// Against budget_reference.py (beside this file): numpy, 10^6 trials, its own
// Gauss-Newton refits, Fritsch-Carlson interpolant and Student t. The linear
// U within 1 %, the ends of the Monte Carlo interval from 10^5 trials within 3 %.
TEST(UncertaintyBudget, AgreesWithAnIndependentComputation)
{
    struct Case
    {
        const char* name;
        const char* rows;
        ModelChoice model;
        BudgetInputs inputs;
        std::array<double, 10> linear, below, above; // U, flow - low end, high end - flow
    } const cases[] = {
        {"king",
         kKingLike,
         ModelChoice::King,
         {.reference = ReadingUncertainty{0.5, 0.0},
          .response = ReadingUncertainty{0.1, 0.002},
          .resolution = 0.001},
         {0.0466285, 0.0807039, 0.167619, 0.284286, 0.422724, 0.586284, 0.783616, 1.02547, 1.32257,
          1.68452},
         {0.0481618, 0.0827347, 0.170654, 0.288228, 0.427664, 0.590753, 0.788876, 1.03159, 1.33151,
          1.69854},
         {0.0483474, 0.0827848, 0.170628, 0.288353, 0.427544, 0.591367, 0.788989, 1.03193, 1.33202,
          1.70047}},
        {"monotone",
         kHotFilm,
         ModelChoice::Monotone,
         {.reference = ReadingUncertainty{1.0, 0.0}, .response = ReadingUncertainty{1.0, 0.01}},
         {0.0385772, 0.349436, 1.2231, 3.0882, 6.25841, 10.3312, 16.1508, 22.9224, 31.2273,
          40.6268},
         {0, 0.332501, 1.12869, 2.81066, 5.6745, 9.20015, 14.5283, 20.5179, 27.8764, 35.6075},
         {0.0724462, 0.348221, 1.15141, 2.86276, 5.78972, 9.28807, 14.6054, 20.465, 27.8303,
          36.4475}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BudgetInputs inputs = c.inputs;
        inputs.mcTrials = 100000;
        inputs.threads = 2;
        const UncertaintyBudget budget = Budget(RunOf(c.rows, c.model), inputs);
        ASSERT_EQ(budget.table.size(), 10u);
        for (std::size_t j = 0; j < 10; ++j) {
            const BudgetPoint& p = budget.table[j];
            SCOPED_TRACE(p.response);
            EXPECT_NEAR(p.linearExpandedGs, c.linear[j], 0.01 * c.linear[j]);
            ASSERT_TRUE(p.mcLowGs && p.mcHighGs);
            EXPECT_NEAR(p.flowGs - *p.mcLowGs, c.below[j], 0.03 * c.below[j]);
            EXPECT_NEAR(*p.mcHighGs - p.flowGs, c.above[j], 0.03 * c.above[j]);
        }
    }
}

// A hot-wire sensor, 1 + 0.1 sqrt(Q) V with a zero-flow row: the fit takes a
// from that row, and at idle (2 g/s) r - a is 0.14 V. A meter of 0.04 V
// (k = 2) moves it by 14 %, and Q ~ (r - a)^2 turns that into an interval
// longer above the flow than below: the linear one is not valid there. A
// common reference alone scales every flow alike, which the linear method
// carries exactly: valid at the middle.
TEST(UncertaintyBudget, TheLinearIntervalFailsNearIdleWhereTheInverseIsSteep)
{
    const Reduction run = RunOf("0,1 2,1.14135 3.154,1.17751 4.9737,1.22291 7.8435,1.27992 "
                                "12.369,1.35153 19.5057,1.4415 30.7602,1.55463 48.5082,1.69674 "
                                "76.4965,1.87504 120.634,2.09888 190.237,2.37995 300,2.73292",
                                ModelChoice::King);
    ASSERT_EQ(run.outcome.mode, FitMode::Linear);
    const UncertaintyBudget meter =
        Budget(run, {.response = ReadingUncertainty{0.0, 0.04}, .mcTrials = 100000, .threads = 2});
    const BudgetPoint& idle = meter.atBudget[0];
    EXPECT_NEAR(idle.flowGs, 2.0, 1e-3);
    ASSERT_EQ(idle.linearValid, std::optional(false));
    const double below = idle.flowGs - *idle.mcLowGs, above = *idle.mcHighGs - idle.flowGs;
    EXPECT_GT(above, 1.15 * below);
    EXPECT_DOUBLE_EQ(idle.expandedGs, above); // the larger Monte Carlo half-width is stated

    const UncertaintyBudget reference =
        Budget(run, {.reference = ReadingUncertainty{0.5, 0.0}, .mcTrials = 100000, .threads = 2});
    EXPECT_EQ(reference.atBudget[1].linearValid, std::optional(true));
    EXPECT_DOUBLE_EQ(reference.atBudget[1].expandedGs, reference.atBudget[1].linearExpandedGs);
}

// Guarded: a row passes only where |flow error| + U % is within the limit,
// the limit itself included; without a budget nothing passes.
TEST(UncertaintyBudget, GuardedDecisionRuleAtItsBoundary)
{
    const Reduction run = RunOf(kKingLike, ModelChoice::King);
    const BudgetInputs guarded{
        .reference = ReadingUncertainty{0.5, 0.0}, .mcTrials = 1000, .guarded = true};
    const Verdict first = JudgeCalibration(run, OutputParameters{}, {}, guarded);
    ASSERT_TRUE(first.budget);
    double margin = 0.0, largestError = 0.0;
    for (std::size_t i = 0; i < first.quality.rows.size(); ++i)
        if (const std::optional<double>& e = first.quality.rows[i].flowErrorPct) {
            margin = std::max(margin, std::fabs(*e) + first.budget->rows[i].expandedPct);
            largestError = std::max(largestError, std::fabs(*e));
        }
    auto flowCheck = [&](double limit, const BudgetInputs& inputs) {
        CheckThresholds thresholds;
        thresholds.maxFlowErrorPct = limit;
        for (const Check& c : JudgeCalibration(run, OutputParameters{}, thresholds, inputs).checks)
            if (c.name == "flow error")
                return c;
        return Check{};
    };
    EXPECT_TRUE(flowCheck(margin, guarded).passed);
    EXPECT_FALSE(flowCheck(std::nextafter(margin, 0.0), guarded).passed);
    const double between = (largestError + margin) / 2.0;
    EXPECT_FALSE(flowCheck(between, guarded).passed);
    EXPECT_TRUE(
        flowCheck(between, {.reference = ReadingUncertainty{0.5, 0.0}, .mcTrials = 1000}).passed);
    EXPECT_EQ(flowCheck(10.0, guarded).detail.substr(0, 34), "guarded: largest |flow error| + U ");

    // Three rows leave the fit no degree of freedom: no budget, and the guarded check fails.
    const Reduction three = RunOf("3,1.49377 30,2.8 300,6.45751", ModelChoice::King);
    CheckThresholds loose;
    loose.maxFlowErrorPct = 50.0;
    const Verdict v = JudgeCalibration(three, OutputParameters{}, loose, {.guarded = true});
    ASSERT_EQ(v.checks.at(1).name, "flow error");
    EXPECT_FALSE(v.checks[1].passed);
    EXPECT_EQ(v.checks[1].detail,
              "guarded: no uncertainty budget (the fit has no degrees of freedom left)");
}
