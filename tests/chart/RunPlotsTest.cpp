#include "RunPlots.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tovarin;

namespace {

struct Window
{
    RecordingParent parent;
    CChart responseChart{&parent, 505, 170, 10, 100, 7};
    CChart errorChart{&parent, 505, 385, 10, 100, 7};
    RunPlots plots;
};

Calibration RowsInUse(const std::vector<double>& flowGs, const std::vector<double>& response,
                      int responseKind)
{
    Calibration calibration;
    MeasurementSet& set = calibration.set;
    set.rowCount = static_cast<int>(flowGs.size());
    set.responseKind = responseKind;
    for (std::size_t i = 0; i < flowGs.size(); ++i) {
        set.flowGs[i] = flowGs[i];
        set.response[i] = response[i];
        set.fittedResponse[i] = response[i] + 0.5;
    }
    calibration.coefficients = {1.0, 0.261, 0.696};
    return calibration;
}

std::string Text(const char* text)
{
    return text ? text : "(null)";
}

} // namespace

TEST(UpdateCharts, DescriptionsOfTheWorkedExample)
{
    Window w;
    const Calibration run = RowsInUse({0, 5, 10, 20}, {1.0, 1.8, 2.3, 3.1}, 0);
    UpdateCharts(run, w.responseChart, w.errorChart, w.plots);

    const ChartSpec& response = *w.plots.responseSpec;
    EXPECT_EQ(response.kind, 6);
    EXPECT_EQ(response.plotStyle, 1); // drawing the King kind leaves 1 behind
    EXPECT_EQ(Text(response.title), "King Equation Linear Response");
    EXPECT_EQ(Text(response.xLegend), "g/sec");
    EXPECT_EQ(Text(response.yLegend), "Volts");
    EXPECT_EQ(response.xMin, 0.0);
    EXPECT_EQ(response.xMax, 21.0);
    EXPECT_EQ(response.yMin, 0.0);
    EXPECT_EQ(response.yMax, 5.0);
    EXPECT_EQ(response.pointCount, 4);
    EXPECT_EQ(response.points, w.plots.responsePoints.get());
    const std::vector<double> pairs(response.points, response.points + 8);
    EXPECT_EQ(pairs, (std::vector<double>{0, 1.0, 5, 1.8, 10, 2.3, 20, 3.1}));
    EXPECT_EQ(response.a, 1.0);
    EXPECT_EQ(response.b, 0.261);
    EXPECT_EQ(response.c, 0.696);
    EXPECT_EQ(response.scale, 0.0);
    EXPECT_EQ(w.responseChart.Spec(), &response);

    const ChartSpec& error = *w.plots.errorSpec;
    EXPECT_EQ(error.kind, 7);
    EXPECT_EQ(error.plotStyle, 0);
    EXPECT_EQ(Text(error.title), "King Equation Percent Error");
    EXPECT_EQ(Text(error.xLegend), "Sample");
    EXPECT_EQ(Text(error.yLegend), "% Error");
    EXPECT_EQ(error.xMin, 0.0);
    EXPECT_EQ(error.xMax, 4.0);
    EXPECT_EQ(error.yMin, -15.0);
    EXPECT_EQ(error.yMax, 15.0);
    const std::vector<double> errorPairs(error.points, error.points + 8);
    EXPECT_EQ(errorPairs, (std::vector<double>{1.5, 1.0, 2.3, 1.8, 2.8, 2.3, 3.6, 3.1}));
    EXPECT_EQ(error.a, 0.0);
    EXPECT_EQ(w.errorChart.Spec(), &error);
    EXPECT_EQ(w.errorChart.XMax(), 4.0);
}

TEST(UpdateCharts, RangesByResponseKind)
{
    struct Case
    {
        std::vector<double> flows, responses;
        int kind;
        double xMin, xMax, yMin, yMax;
        const char* legend;
    } const cases[] = {
        {{0, 5, 10, 20}, {1.0, 1.8, 2.3, 3.1}, 1, -1, 21, 1, 3, "Freq"},
        {{0, 5, 10, 20}, {1.0, 1.8, 2.3, 3.1}, 2, -1, 21, 1, 3, "Freq"},
        {{7.9, 100, 250.3}, {1500, 4000, 9000.7}, 1, 6, 251, 1500, 9000, "Freq"},
        {{0, 100, 250.3}, {1, 2.5, 4.9}, 0, 0, 251, 0, 5, "Volts"},
        {{-3.5, 1e300}, {1, 2}, 1, -4, 2147483648.0, 1, 2, "Freq"}, // trunc saturates
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xMax);
        Window w;
        UpdateCharts(RowsInUse(c.flows, c.responses, c.kind), w.responseChart, w.errorChart,
                     w.plots);
        const ChartSpec& spec = *w.plots.responseSpec;
        EXPECT_EQ(spec.xMin, c.xMin);
        EXPECT_EQ(spec.xMax, c.xMax);
        EXPECT_EQ(spec.yMin, c.yMin);
        EXPECT_EQ(spec.yMax, c.yMax);
        EXPECT_EQ(Text(spec.yLegend), c.legend);
        EXPECT_EQ(w.responseChart.YLegend(), c.legend);
    }
}

TEST(UpdateCharts, FirstRunWithoutAFitAndEveryLaterRunReplaceBoth)
{
    Window w;
    Calibration first; // one row of zeros, no fit: coefficients 0
    first.set.rowCount = 1;
    UpdateCharts(first, w.responseChart, w.errorChart, w.plots);
    EXPECT_EQ(w.plots.responseSpec->pointCount, 1);
    EXPECT_EQ(w.plots.responseSpec->b, 0.0);
    EXPECT_EQ(w.plots.errorSpec->points[0], 0.0); // a fitted response of 0
    EXPECT_EQ(w.plots.errorSpec->xMax, 1.0);

    // The old descriptions are detached and freed; the charts hold the new ones
    // (a chart drawing a freed record would be caught by the sanitizers).
    const Calibration second = RowsInUse({0, 5, 10}, {1, 2, 3}, 0);
    UpdateCharts(second, w.responseChart, w.errorChart, w.plots);
    EXPECT_EQ(w.responseChart.Spec(), w.plots.responseSpec.get());
    EXPECT_EQ(w.errorChart.Spec(), w.plots.errorSpec.get());
    w.responseChart.Draw();
    w.errorChart.Draw();
    EXPECT_EQ(w.plots.errorSpec->pointCount, 3);
}
