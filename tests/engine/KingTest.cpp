#include "King.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(King, ForwardAndInverse)
{
    EXPECT_EQ(KingResponse(0.0, {1.25, 0.5, 0.7}), 1.25);
    EXPECT_EQ(KingResponse(16.0, {1.0, 2.0, 0.5}), 9.0); // 1 + 2 * 4
    EXPECT_EQ(KingFlow(9.0, {1.0, 2.0, 0.5}), 16.0);     // ((9 - 1) / 2)^2
    // Responses at or below the offset, and NaN quotients, give zero flow.
    const KingCoefficients k{1.0, 0.5, 0.6};
    EXPECT_EQ(KingFlow(0.5, k), 0.0);
    EXPECT_EQ(KingFlow(1.0, k), 0.0);
    EXPECT_EQ(KingFlow(std::nan(""), k), 0.0);
    EXPECT_EQ(KingFlow(1.5, {1.0, 0.0, 0.6}), INFINITY); // q = 0.5 / 0 = +inf
}
