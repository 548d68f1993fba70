// The Qt canvas sets the same pixels as the bitmap canvas.

#include "QtCanvas.h"
#include "BitmapCanvas.h"
#include "Chart.h"

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

// A chart parent drawing on a given canvas, with the metrics 13 / 8 whatever
// the canvas, so both canvases get the same geometry.
class FixedMetricsParent : public IChartParent
{
  public:
    explicit FixedMetricsParent(ICanvas& canvas) : m_canvas(canvas) {}
    ICanvas* BeginDrawing() override { return &m_canvas; }
    void EndDrawing() override {}
    void RequestRepaint(const Rect&) override {}
    void RepaintNow() override {}
    FontMetrics MeasureFont(const ChartFont&) override { return {13, 8}; }

  private:
    ICanvas& m_canvas;
};

} // namespace

TEST(QtCanvas, PrimitivesMatchTheBitmapCanvas)
{
    const Color ink = Rgb(255, 255, 0), other = Rgb(255, 0, 255);
    struct Case
    {
        const char* name;
        Drawing draw;
    } const cases[] = {
        {"rectangle",
         [&](ICanvas& c) {
             c.Rectangle({10, 10, 60, 40}, ink, other);
         }},
        {"thin and empty rectangles",
         [&](ICanvas& c) {
             c.Rectangle({5, 5, 6, 30}, ink, ink);
             c.Rectangle({20, 5, 20, 30}, ink, ink);
             c.Rectangle({30, 9, 60, 9}, ink, ink);
         }},
        {"fill",
         [&](ICanvas& c) {
             c.FillRect({100, 50, 350, 250}, other);
         }},
        {"axis-parallel segments, both directions",
         [&](ICanvas& c) {
             c.MoveTo({10, 100});
             c.LineTo({200, 100}, ink);
             c.MoveTo({200, 110});
             c.LineTo({10, 110}, ink);
             c.MoveTo({50, 120});
             c.LineTo({50, 300}, ink);
             c.MoveTo({60, 300});
             c.LineTo({60, 120}, ink);
         }},
        {"frame polyline",
         [&](ICanvas& c) {
             const Point frame[] = {{609, 222}, {847, 222}, {847, 331}, {609, 331}, {609, 222}};
             c.Polyline(frame, 5, ink);
         }},
        {"ticks",
         [&](ICanvas& c) {
             for (int i = 1; i <= 9; ++i) {
                 c.MoveTo({609 + 24 * i, 277});
                 c.LineTo({609 + 24 * i, 272}, ink);
                 c.LineTo({609 + 24 * i, 282}, ink);
             }
         }},
        {"markers",
         [&](ICanvas& c) {
             for (const Point p : {Point{703, 276}, Point{846, 224}, Point{0, 0}})
                 for (const Point d :
                      {Point{0, 0}, Point{-1, -1}, Point{-1, 1}, Point{1, -1}, Point{1, 1},
                       Point{-2, -2}, Point{2, 2}, Point{2, -2}, Point{-2, 2}})
                     c.SetPixel({p.x + d.x, p.y + d.y}, ink);
         }},
        {"diagonals",
         [&](ICanvas& c) {
             c.MoveTo({300, 300});
             c.LineTo({340, 310}, ink);
             c.LineTo({345, 360}, ink);
             c.LineTo({290, 330}, ink);
         }},
        {"far-away segments",
         [&](ICanvas& c) {
             c.MoveTo({-100000000, 400});
             c.LineTo({100000000, 400}, ink);
             c.MoveTo({-100000000, -50000000});
             c.LineTo({100000000, 60000000}, ink);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapCanvas bitmap(kWidth, kHeight, kGround);
        c.draw(bitmap);
        EXPECT_EQ(Differences(DrawWithQt(c.draw), bitmap), 0);
    }
}

TEST(QtCanvas, WholeChartsMatchOutsideTheirTexts)
{
    const std::vector<double> points = {0, 1.0, 5, 1.8, 10, 2.3, 20, 3.1};
    const std::vector<double> errors = {1.0, 1.1, 1.8, 1.7, 2.3, 2.3, 3.1, 3.3};
    BitmapCanvas bitmap(kWidth, kHeight, kGround);
    std::vector<Rect> textBoxes;
    auto drawCharts = [&](ICanvas& canvas) {
        FixedMetricsParent parent(canvas);
        CChart response(&parent, 505, 170, 10, 100, 7);
        CChart error(&parent, 505, 385, 10, 100, 7);
        ChartSpec king;
        king.kind = 6;
        king.xMax = 21;
        king.yMax = 5;
        king.points = points.data();
        king.pointCount = 4;
        king.a = 1.0;
        king.b = 0.261;
        king.c = 0.696;
        response.AttachSpec(&king);
        ChartSpec bars;
        bars.kind = 7;
        bars.xMax = 4;
        bars.yMin = -15;
        bars.yMax = 15;
        bars.points = errors.data();
        bars.pointCount = 4;
        error.AttachSpec(&bars);
    };
    drawCharts(bitmap);
    for (const TextCall& text : bitmap.Texts()) {
        // Labels may overflow their boxes; legends and titles stay inside.
        const int spill = (text.flags & kTextNoClip) ? 40 : 0;
        textBoxes.push_back(
            {text.box.left - spill, text.box.top, text.box.right + spill, text.box.bottom + 1});
    }
    EXPECT_EQ(Differences(DrawWithQt(drawCharts), bitmap, textBoxes), 0);
}
