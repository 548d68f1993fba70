#include "RunPlots.h"

#include "SvgCanvas.h"
#include "Trunc.h"

#include <algorithm>

namespace tovarin {
namespace {

constexpr const char* kResponseTitle = "King Equation Linear Response";
constexpr const char* kErrorTitle = "King Equation Percent Error";

// The titles after a run, by the model the charts show; King's are the ones
// the window starts with.
struct ModelTitles
{
    const char* response;
    const char* error;
};
ModelTitles TitlesOf(ModelKind kind)
{
    switch (kind) {
    case ModelKind::King:
        break;
    case ModelKind::KingOffset:
        return {"King Equation with Flow Offset", "King with Flow Offset Percent Error"};
    case ModelKind::Poly:
        return {"Polynomial Flow Model", "Polynomial Percent Error"};
    case ModelKind::Monotone:
        return {"Monotone Interpolant", "Monotone Interpolant Percent Error"};
    }
    return {kResponseTitle, kErrorTitle};
}
constexpr const char* kFlowLegend = "g/sec";
constexpr const char* kSampleLegend = "Sample";
constexpr const char* kErrorLegend = "% Error";
constexpr double kErrorRangePct = 15.0; // the error chart shows -15 % to +15 %

// trunc(value) + delta, the sum formed on the integer (in 64 bits, so that a
// saturated trunc cannot overflow) before it becomes a double again.
double TruncPlus(double value, long long delta)
{
    return static_cast<double>(static_cast<long long>(TruncToInt(value)) + delta);
}

void Replace(CChart& chart, std::unique_ptr<ChartSpec>& spec, std::unique_ptr<double[]>& points,
             std::unique_ptr<ChartSpec> newSpec, std::unique_ptr<double[]> newPoints)
{
    if (spec) {
        chart.DetachSpec();
        spec.reset();
    }
    points = std::move(newPoints);
    spec = std::move(newSpec);
    chart.AttachSpec(spec.get()); // always accepted: kinds 6 and 7 with points
}

} // namespace

void SetUpStartupCharts(const std::optional<ResponseKind>& responseKind, CChart& responseChart,
                        CChart& errorChart)
{
    // Any kind but volts, no selection included, shows as frequency.
    const ResponseKindInfo& kind = InfoOf(responseKind.value_or(ResponseKind::Freq));
    responseChart.SetYLegend(kind.chartLegend);
    responseChart.SetYRange(0.0, kind.outputMax);
    responseChart.SetXLegend(kFlowLegend);
    responseChart.SetExtraText("");
    responseChart.SetTitle(kResponseTitle);
    responseChart.SetXRange(0.0, 300.0);

    errorChart.SetYLegend(kErrorLegend);
    errorChart.SetXLegend(kSampleLegend);
    errorChart.SetExtraText("");
    errorChart.SetTitle(kErrorTitle);
    errorChart.SetXRange(0.0, kMaxRows);
    errorChart.SetYRange(-kErrorRangePct, kErrorRangePct);
}

std::string RunChartSvg(const Reduction& run, ChartRole role, bool afterRun)
{
    SvgChartParent responseParent(350, 200), errorParent(350, 200);
    responseParent.EnableDrawing(false);
    errorParent.EnableDrawing(false);
    CChart response(&responseParent, 0, 0, 350, 200, kChartColorScheme);
    CChart error(&errorParent, 0, 0, 350, 200, kChartColorScheme);
    SetUpStartupCharts(run.set.responseKind, response, error);
    RunPlots plots;
    if (afterRun)
        UpdateCharts(run, response, error, plots);
    SvgChartParent& parent = role == ChartRole::Response ? responseParent : errorParent;
    parent.EnableDrawing(true);
    (role == ChartRole::Response ? response : error).Draw();
    return parent.Canvas().Document();
}

void UpdateCharts(const Reduction& calibration, CChart& responseChart, CChart& errorChart,
                  RunPlots& plots)
{
    const MeasurementSet& set = calibration.set;
    const int rows = std::clamp(set.rowCount, 1, kMaxRows);
    const auto count = static_cast<std::size_t>(rows);
    const bool volts = set.responseKind == ResponseKind::Volts;

    auto responsePoints = std::make_unique<double[]>(2 * count);
    auto errorPoints = std::make_unique<double[]>(2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        responsePoints[2 * i] = set.flowGs[i];
        responsePoints[2 * i + 1] = set.response[i];
        errorPoints[2 * i] = set.fittedResponse[i];
        errorPoints[2 * i + 1] = set.response[i];
    }

    const ModelTitles titles = TitlesOf(calibration.model.kind);
    auto responseSpec = std::make_unique<ChartSpec>();
    responseSpec->kind = ChartKind::KingCurve;
    responseSpec->plotStyle = PlotStyle::Marker;
    responseSpec->title = titles.response;
    responseSpec->xLegend = kFlowLegend;
    responseSpec->yLegend = ResponseKindLabel(volts ? ResponseKind::Volts : ResponseKind::Freq);
    // Volts: a fixed 0 to 5 V over flows from 0. Otherwise the range runs
    // between the first and last rows, without margin on the response axis.
    responseSpec->xMin = volts ? 0.0 : TruncPlus(set.flowGs[0], -1);
    responseSpec->xMax = TruncPlus(set.flowGs[count - 1], 1);
    responseSpec->yMin = volts ? 0.0 : TruncPlus(set.response[0], 0);
    responseSpec->yMax = volts ? 5.0 : TruncPlus(set.response[count - 1], 0);
    responseSpec->points = responsePoints.get();
    responseSpec->pointCount = rows;
    responseSpec->a = calibration.coefficients.a;
    responseSpec->b = calibration.coefficients.b;
    responseSpec->c = calibration.coefficients.c;
    // Another model draws its own response; the copy keeps the chart's
    // description independent of the run it came from.
    if (calibration.model.kind != ModelKind::King)
        responseSpec->curve = [run = calibration](double flowGs) {
            return ResponseAt(run, flowGs);
        };
    Replace(responseChart, plots.responseSpec, plots.responsePoints, std::move(responseSpec),
            std::move(responsePoints));

    auto errorSpec = std::make_unique<ChartSpec>();
    errorSpec->kind = ChartKind::PercentError;
    errorSpec->plotStyle = PlotStyle::Bar;
    errorSpec->title = titles.error;
    errorSpec->xLegend = kSampleLegend;
    errorSpec->yLegend = kErrorLegend;
    errorSpec->xMin = 0.0;
    errorSpec->xMax = rows;
    errorSpec->yMin = -kErrorRangePct;
    errorSpec->yMax = kErrorRangePct;
    errorSpec->points = errorPoints.get();
    errorSpec->pointCount = rows;
    Replace(errorChart, plots.errorSpec, plots.errorPoints, std::move(errorSpec),
            std::move(errorPoints));
}

} // namespace tovarin
