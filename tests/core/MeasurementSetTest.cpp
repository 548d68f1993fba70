#include "MeasurementSet.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(FlowUnits, TheTwoFactorsNoOtherTestReachesAndNoUnit)
{
    EXPECT_DOUBLE_EQ(FlowToGs(100.0, FlowUnit::LbsPerHour), 12.5997881); // 0.125997881 g/s each
    // SCFM: 0.00047194 m^3/s times 1.2 kg/m^3 times 1000 g/kg, in that order.
    EXPECT_NEAR(FlowToGs(1.0, FlowUnit::Scfm), 0.566328, 1e-12);
    for (const int noUnit : {-1, 4}) // no unit selected
        EXPECT_TRUE(std::isnan(FlowToGs(5.0, FlowUnitAt(noUnit)))) << noUnit;
}
