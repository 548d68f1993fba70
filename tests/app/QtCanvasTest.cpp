// The Qt canvas sets the same pixels as the bitmap canvas: whole charts
// (rectangles, fills, frames, ticks, markers, bars) and odd segments.

#include "QtCanvas.h"
#include "BitmapCanvas.h"
#include "Chart.h"
#include "RecordingCanvas.h"
#include "RunPlots.h"
#include "WorkedExample.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace tovarin;

namespace {

constexpr int kWidth = 900, kHeight = 620;
constexpr Color kGround = Rgb(1, 2, 3);

using Drawing = std::function<void(ICanvas&)>;

QImage DrawWithQt(const Drawing& draw)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(kGround.r, kGround.g, kGround.b));
    QPainter painter(&image);
    QtCanvas canvas(painter, kWidth, kHeight);
    draw(canvas);
    painter.end();
    return image;
}

Color At(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// Pixels that differ, outside the given boxes (where the two canvases' texts go).
int Differences(const QImage& qt, const BitmapCanvas& bitmap, const std::vector<Rect>& ignored = {})
{
    int differences = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            bool skip = false;
            for (const Rect& box : ignored)
                skip = skip || (x >= box.left && x < box.right && y >= box.top && y < box.bottom);
            if (!skip && At(qt, x, y) != bitmap.Pixel(x, y))
                ++differences;
        }
    }
    return differences;
}

} // namespace

TEST(QtCanvas, WholeChartsMatchOutsideTheirTexts)
{
    const Reduction run = worked::Run({1.1, 1.7, 2.3, 3.3}); // far enough off for tall bars
    BitmapCanvas bitmap(kWidth, kHeight, kGround);
    auto drawCharts = [&](ICanvas& canvas) {
        RecordingParent parent; // the metrics 13 / 8 on both canvases
        parent.target = &canvas;
        CChart response(&parent, 505, 170, 10, 100, kChartColorScheme);
        CChart error(&parent, 505, 385, 10, 100, kChartColorScheme);
        RunPlots plots;
        UpdateCharts(run, response, error, plots);
    };
    drawCharts(bitmap);
    std::vector<Rect> textBoxes;
    for (const TextCall& text : bitmap.Texts()) {
        // Labels may overflow their boxes; legends and titles stay inside.
        const int spill = (text.flags & kTextNoClip) ? 40 : 0;
        textBoxes.push_back(
            {text.box.left - spill, text.box.top, text.box.right + spill, text.box.bottom + 1});
    }
    EXPECT_EQ(Differences(DrawWithQt(drawCharts), bitmap, textBoxes), 0);
}
