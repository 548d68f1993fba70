#include "King.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(King, ResponseAtZeroFlowIsTheOffset)
{
    EXPECT_EQ(KingResponse(0.0, {1.25, 0.5, 0.7}), 1.25);
    EXPECT_DOUBLE_EQ(KingResponse(16.0, {1.0, 2.0, 0.5}), 9.0);
}

TEST(King, FlowOfResponsesAtOrBelowTheOffsetIsZero)
{
    const KingCoefficients k{1.0, 0.5, 0.6};
    EXPECT_EQ(KingFlow(0.5, k), 0.0);
    EXPECT_EQ(KingFlow(1.0, k), 0.0);
    EXPECT_EQ(KingFlow(std::nan(""), k), 0.0);
    EXPECT_EQ(KingFlow(1.5, {1.0, 0.0, 0.6}), std::pow(INFINITY, 1.0 / 0.6)); // q = +inf
}

TEST(King, FlowInvertsResponse)
{
    const KingCoefficients k{0.9, 0.26, 0.7};
    for (const double flow : {0.01, 1.0, 5.0, 123.4, 400.0}) {
        SCOPED_TRACE(flow);
        EXPECT_NEAR(KingFlow(KingResponse(flow, k), k), flow, 1e-9 * flow);
    }
}
