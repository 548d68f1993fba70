#include "Reduce.h"

#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(Reduce, EndsTheTableAtTheFirstFlowThatDoesNotRiseAndFitsFromThreeRows)
{
    const double nan = std::nan("");
    struct Case
    {
        const char* name;
        std::vector<double> flows; // typed flows of the first rows; the rest stay 0
        int rowCount;
        RunMode mode;
    } const cases[] = {
        {"a fresh start", {}, 1, RunMode::None},
        {"an equal flow", {0, 5, 5, 10}, 2, RunMode::None},
        {"later rising rows are ignored", {0, 5, 3, 10, 12}, 2, RunMode::None},
        {"a negative first flow", {-5, 0, 5, 0}, 3, RunMode::NonLinear},
        {"NaN first", {nan, 1, 2}, 1, RunMode::None},
        {"NaN later", {0, 1, nan, 3}, 2, RunMode::None},
        {"three rows from 0: linear", {0, 5, 9}, 3, RunMode::Linear},
        {"three rows from 1: non-linear", {1, 5, 9}, 3, RunMode::NonLinear},
        {"all 19 rise",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19},
         19,
         RunMode::NonLinear},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunInput input;
        for (std::size_t i = 0; i < c.flows.size(); ++i) {
            input.typedFlow[i] = c.flows[i];
            input.typedResponse[i] = 1.0 + 0.1 * static_cast<double>(i);
        }
        const Reduction run = Reduce(input);
        EXPECT_EQ(run.set.rowCount, c.rowCount);
        EXPECT_EQ(run.tableEnd,
                  c.rowCount == kMaxRows ? TableEnd::AllRows : TableEnd::FlowNotGreater);
        EXPECT_EQ(ModeOf(run), c.mode);
        EXPECT_EQ(run.outcome.fitted, c.mode != RunMode::None);
    }
}

TEST(Reduce, TheWorkedExampleAndARunWithoutAFitAfterIt)
{
    const Reduction fitted = worked::Reduced(worked::kRows);
    EXPECT_EQ(fitted.coefficients.a, 1.0);
    // The line through (ln 5, ln 0.8), (ln 10, ln 1.3), (ln 20, ln 2.1), by hand.
    EXPECT_NEAR(fitted.coefficients.b, 0.26117, 1e-5);
    EXPECT_NEAR(fitted.coefficients.c, 0.69616, 1e-5);
    EXPECT_EQ(fitted.set.fittedResponse[0], 1.0); // 0^c = 0
    EXPECT_EQ(fitted.set.fittedResponse[3], KingResponse(20.0, fitted.coefficients));

    // The window keeps the last fit when a run has only two rows; the new
    // rows and flows are the new run's.
    const Reduction twoRows = worked::Reduced({{"0", "1"}, {"3", "2"}}, FlowUnit::KgPerHour);
    const Reduction shown = CarryLastFit(twoRows, fitted);
    EXPECT_EQ(shown.set.rowCount, 2);
    EXPECT_EQ(shown.set.flowGs[1], 3.0 / 3.6);
    EXPECT_EQ(shown.coefficients.c, fitted.coefficients.c);
    EXPECT_EQ(shown.set.fittedResponse, fitted.set.fittedResponse);
    EXPECT_TRUE(shown.outcome.fitted);
    // A run that fits is shown as it is.
    EXPECT_EQ(CarryLastFit(fitted, twoRows).coefficients.c, fitted.coefficients.c);
    EXPECT_FALSE(CarryLastFit(twoRows, Reduction{}).outcome.fitted);
}

TEST(Reduce, CoefficientsThatAreNotFiniteAreNoUsableFit)
{
    // Linear mode with row 2's response equal to row 0's: log(0) = -inf, so b
    // and c are NaN; the run still counts as fitted.
    const Reduction run = worked::Reduced({{"0", "1"}, {"5", "2"}, {"10", "1"}});
    EXPECT_TRUE(run.outcome.fitted);
    EXPECT_TRUE(std::isnan(run.coefficients.b));
    EXPECT_FALSE(HasUsableFit(run));
}

TEST(Reduce, TheMeasuredResponseRangeOfTheRowsInUse)
{
    // Row 3 is outside the table (its flow does not rise) and does not count.
    const Reduction run = worked::Reduced({{"1", "2.5"}, {"2", "0.5"}, {"3", "4"}, {"0", "9"}});
    const ResponseRange range = MeasuredResponseRange(run.set);
    EXPECT_EQ(range.low, 0.5);
    EXPECT_EQ(range.high, 4.0);
    EXPECT_EQ(PercentError(103.0, 100.0), 3.0);
}
