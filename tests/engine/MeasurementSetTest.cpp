#include "MeasurementSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tovarin;

TEST(FlowUnits, ConvertToGramsPerSecond)
{
    struct Case
    {
        FlowUnit unit;
        double typed, gs;
    } const cases[] = {
        {FlowUnit::GramsPerSec, 12.5, 12.5},
        {FlowUnit::KgPerHour, 36.0, 10.0},
        {FlowUnit::LbsPerHour, 100.0, 12.5997881},
        {FlowUnit::Scfm, 1.0, 0.00047194 * 1.2 * 1000.0},
        {FlowUnit::Scfm, 100.0, 100.0 * 0.00047194 * 1.2 * 1000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.unit));
        EXPECT_DOUBLE_EQ(FlowToGs(c.typed, c.unit), c.gs);
    }
    EXPECT_NEAR(FlowToGs(1.0, FlowUnit::Scfm), 0.566328, 1e-12);
    EXPECT_NEAR(FlowToGs(100.0, FlowUnit::Scfm), 56.6328, 1e-10);
    EXPECT_TRUE(std::isnan(FlowToGs(5.0, -1)));
    EXPECT_TRUE(std::isnan(FlowToGs(5.0, 4)));
}

TEST(FlowUnits, Labels)
{
    EXPECT_STREQ(FlowUnitLabel(FlowUnit::GramsPerSec), "g/s");
    EXPECT_STREQ(FlowUnitLabel(FlowUnit::KgPerHour), "Kg/hr");
    EXPECT_STREQ(FlowUnitLabel(FlowUnit::LbsPerHour), "lbs/hr");
    EXPECT_STREQ(FlowUnitLabel(FlowUnit::Scfm), "SCFM");
    EXPECT_STREQ(ResponseKindLabel(ResponseKind::Volts), "Volts");
    EXPECT_STREQ(ResponseKindLabel(ResponseKind::Freq), "Freq");
}

TEST(BuildRows, EndsTheTableAtTheFirstFlowThatDoesNotRise)
{
    const double nan = std::nan("");
    struct Case
    {
        std::vector<double> flows; // typed flows of the first rows; the rest stay 0
        int rowCount;
    } const cases[] = {
        {{}, 1},                // all rows 0: row 1 is not above row 0
        {{0, 5, 5, 10}, 2},     // an equal flow ends the table
        {{0, 5, 3, 10, 12}, 2}, // later rising rows are ignored
        {{-5, 0, 5, 0}, 3},     // a negative first flow is accepted
        {{0, 1, 2, 3, 0}, 4},
        {{nan, 1, 2}, 1}, // NaN cannot be ordered
        {{0, 1, nan, 3}, 2},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.flows));
        MeasurementSet set;
        for (std::size_t i = 0; i < c.flows.size(); ++i)
            set.typedFlow[i] = c.flows[i];
        BuildRows(set);
        EXPECT_EQ(set.rowCount, c.rowCount);
    }
}

TEST(BuildRows, ConvertsFlowsAndCopiesResponsesOfRowsInUse)
{
    MeasurementSet set;
    set.flowUnit = static_cast<int>(FlowUnit::KgPerHour);
    set.typedFlow = {36.0, 72.0, 0.0};
    set.typedResponse = {1.5, 2.5, 9.0};
    set.flowGs[2] = 77.0; // beyond the rows in use: untouched
    BuildRows(set);
    ASSERT_EQ(set.rowCount, 2);
    EXPECT_DOUBLE_EQ(set.flowGs[0], 10.0);
    EXPECT_DOUBLE_EQ(set.flowGs[1], 20.0);
    EXPECT_EQ(set.response[0], 1.5);
    EXPECT_EQ(set.response[1], 2.5);
    EXPECT_EQ(set.flowGs[2], 77.0);
}
