#include "SvgCanvas.h"

#include "BitmapCanvas.h"
#include "Chart.h"
#include "Raster.h"
#include "RunPlots.h"
#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <regex>

using namespace tovarin;

namespace {

// Draws `svg` back into a bitmap: every <rect> filled, every <path> segment
// rasterised without its end pixel, as the bitmap canvas draws them.
BitmapCanvas Rasterise(const std::string& svg, int width, int height)
{
    BitmapCanvas bitmap(width, height, Rgb(1, 2, 3));
    auto color = [](const std::string& hex) {
        return Rgb(std::stoi(hex.substr(1, 2), nullptr, 16),
                   std::stoi(hex.substr(3, 2), nullptr, 16),
                   std::stoi(hex.substr(5, 2), nullptr, 16));
    };
    // In document order: later elements paint over earlier ones.
    const std::regex element(
        R"re(<rect x="(-?\d+)" y="(-?\d+)" width="(\d+)" height="(\d+)" fill="(#\w+)"/>)re"
        R"re(|<path d="M(-?\d+) (-?\d+)L(-?\d+) (-?\d+)" [^>]*stroke="(#\w+)"/>)re");
    for (std::sregex_iterator m(svg.begin(), svg.end(), element), end; m != end; ++m) {
        const auto at = [&](int i) { return std::stoi((*m)[i]); };
        if ((*m)[1].matched) {
            bitmap.FillRect({at(1), at(2), at(1) + at(3), at(2) + at(4)}, color((*m)[5]));
            continue;
        }
        RasterizeSegment({at(6), at(7)}, {at(8), at(9)}, false, width, height, [&](int x, int y) {
            bitmap.FillRect({x, y, x + 1, y + 1}, color((*m)[10]));
        });
    }
    return bitmap;
}

} // namespace

TEST(SvgCanvas, TheWorkedExampleChartsMatchTheBitmapCanvas)
{
    const Reduction run = worked::Run({1.0, 1.79921, 2.30257, 3.09792});
    for (const ChartRole role : {ChartRole::Response, ChartRole::Error}) {
        BitmapChartParent bitmap(350, 200, Rgb(1, 2, 3));
        CChart response(&bitmap, 0, 0, 350, 200, kChartColorScheme);
        CChart error(&bitmap, 0, 0, 350, 200, kChartColorScheme);
        SetUpStartupCharts(ResponseKind::Volts, response, error);
        RunPlots plots;
        UpdateCharts(run, response, error, plots);
        bitmap.Canvas().ClearTexts();
        (role == ChartRole::Response ? response : error).Draw();

        const std::string svg = RunChartSvg(run, role);
        const BitmapCanvas back = Rasterise(svg, 350, 200);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 350; ++x)
                ASSERT_EQ(back.Pixel(x, y), bitmap.Canvas().Pixel(x, y)) << x << "," << y;
        // Every text at its box's anchor: left, centre or right, four fifths of
        // a 13-pixel line below the box's top.
        std::string anchors;
        for (const TextCall& t : bitmap.Canvas().Texts()) {
            const bool centre = t.flags & kTextCenter, right = t.flags & kTextRight;
            const int x = centre  ? (t.box.left + t.box.right) / 2
                          : right ? t.box.right
                                  : t.box.left;
            const char* anchor = centre ? "middle" : right ? "end" : "start";
            anchors += "<text x=\"" + std::to_string(x) + "\" y=\"" +
                       std::to_string(t.box.top + 10) + "\" text-anchor=\"" + anchor + "\"";
            EXPECT_NE(svg.find(anchors.substr(anchors.rfind("<text"))), std::string::npos)
                << t.text;
        }
        EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    }
}
