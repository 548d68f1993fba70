#include "MeasurementSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tovarin;

TEST(FlowUnits, TheTwoFactorsNoOtherTestReachesAndNoUnit)
{
    EXPECT_DOUBLE_EQ(FlowToGs(100.0, FlowUnit::LbsPerHour), 12.5997881); // 0.125997881 g/s each
    // SCFM: 0.00047194 m^3/s times 1.2 kg/m^3 times 1000 g/kg, in that order.
    EXPECT_NEAR(FlowToGs(1.0, FlowUnit::Scfm), 0.566328, 1e-12);
    for (const int noUnit : {-1, 4}) // no unit selected
        EXPECT_TRUE(std::isnan(FlowToGs(5.0, FlowUnitAt(noUnit)))) << noUnit;
}

TEST(BuildRows, EndsTheTableAtTheFirstFlowThatDoesNotRise)
{
    const double nan = std::nan("");
    struct Case
    {
        const char* name;
        std::vector<double> flows; // typed flows of the first rows; the rest stay 0
        int rowCount;
    } const cases[] = {
        {"a fresh start", {}, 1},
        {"an equal flow", {0, 5, 5, 10}, 2},
        {"later rising rows are ignored", {0, 5, 3, 10, 12}, 2},
        {"a negative first flow", {-5, 0, 5, 0}, 3},
        {"NaN first", {nan, 1, 2}, 1},
        {"NaN later", {0, 1, nan, 3}, 2},
        {"all 19 rise", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementSet set;
        for (std::size_t i = 0; i < c.flows.size(); ++i)
            set.typedFlow[i] = c.flows[i];
        BuildRows(set);
        EXPECT_EQ(set.rowCount, c.rowCount);
    }
}
