#include "RunPlots.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

using Doubles = std::vector<double>;

struct Window
{
    RecordingParent parent;
    CChart responseChart{&parent, 505, 170, 10, 100, kChartColorScheme};
    CChart errorChart{&parent, 505, 385, 10, 100, kChartColorScheme};
    RunPlots plots;

    // A run of `kind` whose fitted responses lie 0.5 above the measured ones.
    void Run(const Doubles& flowGs, const Doubles& response, int kind)
    {
        Reduction run;
        run.set.rowCount = static_cast<int>(flowGs.size());
        run.set.responseKind = ResponseKindAt(kind);
        for (std::size_t i = 0; i < flowGs.size(); ++i) {
            run.set.flowGs[i] = flowGs[i];
            run.set.response[i] = response[i];
            run.set.fittedResponse[i] = response[i] + 0.5;
        }
        run.coefficients = {1.0, 0.261, 0.696};
        UpdateCharts(run, responseChart, errorChart, plots);
    }
};

Doubles Ranges(const ChartSpec& s)
{
    return {s.xMin, s.xMax, s.yMin, s.yMax};
}

std::string Texts(const ChartSpec& s)
{
    return std::string(s.title) + "|" + s.xLegend + "|" + s.yLegend;
}

} // namespace

TEST(UpdateCharts, DescriptionsOfTheWorkedExample)
{
    Window w;
    w.Run({0, 5, 10, 20}, {1.0, 1.8, 2.3, 3.1}, 0);
    const ChartSpec& response = *w.plots.responseSpec;
    EXPECT_EQ(response.kind, ChartKind::KingCurve);
    EXPECT_EQ(Texts(response), "King Equation Linear Response|g/sec|Volts");
    EXPECT_EQ(Ranges(response), Doubles({0, 21, 0, 5}));
    EXPECT_EQ(Doubles(response.points, response.points + 8),
              Doubles({0, 1, 5, 1.8, 10, 2.3, 20, 3.1}));
    EXPECT_EQ(Doubles({response.a, response.b, response.c}), Doubles({1.0, 0.261, 0.696}));
    EXPECT_EQ(w.responseChart.Spec(), &response);

    const ChartSpec& error = *w.plots.errorSpec;
    EXPECT_EQ(error.kind, ChartKind::PercentError);
    EXPECT_EQ(error.plotStyle, PlotStyle::Bar);
    EXPECT_EQ(Texts(error), "King Equation Percent Error|Sample|% Error");
    EXPECT_EQ(Ranges(error), Doubles({0, 4, -15, 15}));
    EXPECT_EQ(Doubles(error.points, error.points + 8),
              Doubles({1.5, 1, 2.3, 1.8, 2.8, 2.3, 3.6, 3.1}));

    // The next run detaches and frees both (a chart drawing a freed record
    // would be caught by the sanitizers).
    w.Run({0, 5, 10}, {1, 2, 3}, 0);
    EXPECT_EQ(w.errorChart.Spec(), w.plots.errorSpec.get());
    w.responseChart.Draw();
    w.errorChart.Draw();
}

TEST(UpdateCharts, RangesByResponseKind)
{
    Window volts, freq, huge;
    volts.Run({0, 100, 250.3}, {1, 2.5, 4.9}, 0); // fixed 0 to 5 V from flow 0
    EXPECT_EQ(Ranges(*volts.plots.responseSpec), Doubles({0, 251, 0, 5}));
    freq.Run({7.9, 100, 250.3}, {1500, 4000, 9000.7}, 1); // between the first and last rows
    EXPECT_EQ(Ranges(*freq.plots.responseSpec), Doubles({6, 251, 1500, 9000}));
    EXPECT_EQ(freq.responseChart.YLegend(), "Freq");
    huge.Run({-3.5, 1e300}, {1, 2}, 1); // trunc saturates
    EXPECT_EQ(Ranges(*huge.plots.responseSpec), Doubles({-4, 2147483648.0, 1, 2}));
}
