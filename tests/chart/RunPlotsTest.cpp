#include "RunPlots.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tovarin;

namespace {

struct Window
{
    RecordingParent parent;
    CChart responseChart{&parent, 505, 170, 10, 100, kChartColorScheme};
    CChart errorChart{&parent, 505, 385, 10, 100, kChartColorScheme};
    RunPlots plots;
};

// A run whose fitted responses lie 0.5 above the measured ones.
Calibration RowsInUse(const std::vector<double>& flowGs, const std::vector<double>& response,
                      int responseKind)
{
    Calibration calibration;
    calibration.set.rowCount = static_cast<int>(flowGs.size());
    calibration.set.responseKind = responseKind;
    for (std::size_t i = 0; i < flowGs.size(); ++i) {
        calibration.set.flowGs[i] = flowGs[i];
        calibration.set.response[i] = response[i];
        calibration.set.fittedResponse[i] = response[i] + 0.5;
    }
    calibration.coefficients = {1.0, 0.261, 0.696};
    return calibration;
}

} // namespace

TEST(UpdateCharts, DescriptionsOfTheWorkedExample)
{
    Window w;
    UpdateCharts(RowsInUse({0, 5, 10, 20}, {1.0, 1.8, 2.3, 3.1}, 0), w.responseChart, w.errorChart,
                 w.plots);
    const ChartSpec& response = *w.plots.responseSpec;
    EXPECT_EQ(response.kind, ChartKind::KingCurve);
    EXPECT_EQ(std::string(response.title) + "|" + response.xLegend + "|" + response.yLegend,
              "King Equation Linear Response|g/sec|Volts");
    EXPECT_EQ(std::vector<double>({response.xMin, response.xMax, response.yMin, response.yMax}),
              std::vector<double>({0, 21, 0, 5}));
    EXPECT_EQ(std::vector<double>(response.points, response.points + 8),
              std::vector<double>({0, 1.0, 5, 1.8, 10, 2.3, 20, 3.1}));
    EXPECT_EQ(std::vector<double>({response.a, response.b, response.c}),
              std::vector<double>({1.0, 0.261, 0.696}));
    EXPECT_EQ(w.responseChart.Spec(), &response);

    const ChartSpec& error = *w.plots.errorSpec;
    EXPECT_EQ(error.kind, ChartKind::PercentError);
    EXPECT_EQ(error.plotStyle, PlotStyle::Bar);
    EXPECT_EQ(std::string(error.title) + "|" + error.xLegend + "|" + error.yLegend,
              "King Equation Percent Error|Sample|% Error");
    EXPECT_EQ(std::vector<double>({error.xMin, error.xMax, error.yMin, error.yMax}),
              std::vector<double>({0, 4, -15, 15}));
    EXPECT_EQ(std::vector<double>(error.points, error.points + 8),
              std::vector<double>({1.5, 1.0, 2.3, 1.8, 2.8, 2.3, 3.6, 3.1}));
    EXPECT_EQ(w.errorChart.Spec(), &error);

    // The next run detaches and frees both (a chart drawing a freed record
    // would be caught by the sanitizers).
    UpdateCharts(RowsInUse({0, 5, 10}, {1, 2, 3}, 0), w.responseChart, w.errorChart, w.plots);
    EXPECT_EQ(w.errorChart.Spec(), w.plots.errorSpec.get());
    w.responseChart.Draw();
    w.errorChart.Draw();
}

TEST(UpdateCharts, RangesByResponseKind)
{
    struct Case
    {
        const char* name;
        std::vector<double> flows, responses;
        int kind;
        std::vector<double> ranges; // xMin, xMax, yMin, yMax
        const char* legend;
    } const cases[] = {
        {"volts: fixed 0 to 5 from flow 0",
         {0, 100, 250.3},
         {1, 2.5, 4.9},
         0,
         {0, 251, 0, 5},
         "Volts"},
        {"freq: first and last rows",
         {7.9, 100, 250.3},
         {1500, 4000, 9000.7},
         1,
         {6, 251, 1500, 9000},
         "Freq"},
        {"trunc saturates", {-3.5, 1e300}, {1, 2}, 1, {-4, 2147483648.0, 1, 2}, "Freq"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        UpdateCharts(RowsInUse(c.flows, c.responses, c.kind), w.responseChart, w.errorChart,
                     w.plots);
        const ChartSpec& spec = *w.plots.responseSpec;
        EXPECT_EQ(std::vector<double>({spec.xMin, spec.xMax, spec.yMin, spec.yMax}), c.ranges);
        EXPECT_EQ(w.responseChart.YLegend(), c.legend);
    }
}
