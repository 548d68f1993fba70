#include "FitQuality.h"

#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(FitQuality, NonLinearFitAgainstAnIndependentComputation)
{
    const Reduction run = worked::Reduced(worked::kHotWire);
    EXPECT_TRUE(run.outcome.converged);
    EXPECT_EQ(run.outcome.evaluations, 27);
    const FitQuality q = AssessFit(run);
    // Gauss-Newton to convergence and s^2 (J^T J)^-1 worked out in plain
    // Python from the rows: a -0.80421907796, b 1.80070633188, c 0.21571608852.
    ASSERT_TRUE(q.uncertainty);
    const double expected[] = {0.12308547867841153, 0.10943087891537567, 0.0075139971585400055,
                               -0.995226870693376,  0.9839670855993098,  -0.9954908276580938};
    const double actual[] = {q.uncertainty->a,  q.uncertainty->b,  q.uncertainty->c,
                             q.uncertainty->ab, q.uncertainty->ac, q.uncertainty->bc};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-6 * std::fabs(expected[i])) << i;
    EXPECT_NEAR(*q.rmsResidual, 0.025896529987365854, 1e-9);
    EXPECT_EQ(q.dof, 7);
    // Flow errors from the same script; row 0 (0.9 g/s, +6.47 %) lies below idle.
    ASSERT_TRUE(q.maxFlowError);
    EXPECT_EQ(q.maxFlowError->row, 3);
    EXPECT_NEAR(q.maxFlowError->pct, -4.2768293283753245, 1e-5);
    EXPECT_NEAR(*q.rows[0].flowErrorPct, 6.472906281211764, 1e-5);
}

TEST(FitQuality, ExactCurveWorkedExampleAndAFitThatStopsAtTheLimit)
{
    // 0.8 + 0.3 * flow^0.55 exactly: no error in response or flow.
    const FitQuality exact = AssessFit(worked::Reduced({{"2", "1.2392257087836875"},
                                                        {"15", "2.1303669497938014"},
                                                        {"90", "4.3641390156299495"},
                                                        {"300", "7.71095308570457"}}));
    EXPECT_NEAR(exact.maxFlowError->pct, 0.0, 1e-7);
    EXPECT_NEAR(*exact.rSquared, 1.0, 1e-12);

    const Reduction linear = worked::Reduced(worked::kRows);
    const FitQuality worked = AssessFit(linear);
    EXPECT_EQ(linear.outcome.mode, FitMode::Linear);
    EXPECT_FALSE(worked.rows[0].flowErrorPct); // its flow is 0
    EXPECT_FALSE(worked.uncertainty);          // a is not fitted in linear mode
    EXPECT_EQ(worked.dof, 1);

    // A generated set (flows log-uniform 2..550 g/s, 0.05 V of noise) that
    // both starts leave at the evaluation limit, near c = 0, b = -a.
    // clang-format off
    const Reduction stopped = worked::Reduced({
        {"2.41", "0.566"}, {"2.68", "0.524"}, {"2.93", "0.563"}, {"6.39", "0.567"},
        {"7.38", "0.607"}, {"21.06", "0.672"}, {"21.75", "0.683"}, {"47.05", "0.638"},
        {"86.4", "0.686"}, {"325.68", "0.761"}, {"335.25", "0.835"}, {"401.44", "0.779"},
        {"425.29", "0.873"}, {"476.25", "0.841"}, {"527.52", "0.745"}, {"549.93", "0.743"}});
    // clang-format on
    EXPECT_FALSE(stopped.outcome.converged);
    EXPECT_FALSE(stopped.outcome.secondStart);
    EXPECT_EQ(stopped.outcome.stop, "the evaluation limit (400) was reached");
    EXPECT_EQ(stopped.outcome.evaluations, 805); // both starts
}
