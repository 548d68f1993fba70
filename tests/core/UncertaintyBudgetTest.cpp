#include "UncertaintyBudget.h"
#include "TableCheck.h"

#include <gtest/gtest.h>

#include <cmath>

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
    // t(0.975, nu): infinite 1.96, 17 from the table, 119 truncated to 60.
    EXPECT_DOUBLE_EQ(CoverageFactorAt(std::nullopt), 1.95996398);
    EXPECT_DOUBLE_EQ(CoverageFactorAt(17), 2.10981558);
    EXPECT_DOUBLE_EQ(CoverageFactorAt(119), 2.00029782);
    EXPECT_DOUBLE_EQ(CoverageFactorAt(120), 1.97993041);
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
