#include "BitmapCanvas.h"

#include <gtest/gtest.h>

#include <string>

using namespace tovarin;

namespace {

constexpr Color kBack = Rgb(0, 0, 0);
constexpr Color kInk = Rgb(255, 255, 0);

// The canvas's pixels in a window as text: '#' for ink, '.' for background.
std::string Picture(const BitmapCanvas& canvas, int width, int height)
{
    std::string text;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            text += canvas.Pixel(x, y) == kBack ? '.' : '#';
        text += '\n';
    }
    return text;
}

} // namespace

TEST(BitmapCanvas, PrimitivesExcludeTheirEnds)
{
    struct Case
    {
        const char* name;
        void (*draw)(BitmapCanvas&);
        const char* picture;
    } const cases[] = {
        {"rectangle: right and bottom exclusive",
         [](BitmapCanvas& c) {
             c.Rectangle({1, 1, 5, 4}, kInk, Rgb(0, 0, 1));
         },
         "......\n.####.\n.####.\n.####.\n......\n"},
        {"fill",
         [](BitmapCanvas& c) {
             c.FillRect({0, 0, 2, 2}, kInk);
         },
         "##....\n##....\n......\n......\n......\n"},
        {"empty rectangle",
         [](BitmapCanvas& c) {
             c.Rectangle({3, 1, 3, 4}, kInk, kInk);
         },
         "......\n......\n......\n......\n......\n"},
        {"line: end pixel not set",
         [](BitmapCanvas& c) {
             c.MoveTo({0, 2});
             c.LineTo({5, 2}, kInk);
         },
         "......\n......\n#####.\n......\n......\n"},
        {"polyline: closed frame",
         [](BitmapCanvas& c) {
             const Point frame[] = {{1, 0}, {4, 0}, {4, 3}, {1, 3}, {1, 0}};
             c.Polyline(frame, 5, kInk);
         },
         ".####.\n.#..#.\n.#..#.\n.####.\n......\n"},
        {"diagonal",
         [](BitmapCanvas& c) {
             c.MoveTo({0, 0});
             c.LineTo({4, 4}, kInk);
         },
         "#.....\n.#....\n..#...\n...#..\n......\n"},
        {"pixels outside are ignored",
         [](BitmapCanvas& c) {
             c.SetPixel({-1, 0}, kInk);
             c.SetPixel({6, 0}, kInk);
             c.SetPixel({5, 4}, kInk);
         },
         "......\n......\n......\n......\n.....#\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BitmapCanvas canvas(6, 5, kBack);
        c.draw(canvas);
        EXPECT_EQ(Picture(canvas, 6, 5), c.picture);
    }
}

TEST(BitmapCanvas, FarAwaySegmentsAreClippedNotWalked)
{
    BitmapCanvas canvas(6, 5, kBack);
    canvas.MoveTo({-2000000000, 2});
    canvas.LineTo({2000000000, 2}, kInk);
    EXPECT_EQ(Picture(canvas, 6, 5), "......\n......\n######\n......\n......\n");
    canvas.MoveTo({3, -2000000000});
    canvas.LineTo({3, -1000000000}, kInk); // entirely outside
    EXPECT_EQ(canvas.Pixel(3, 0), kBack);
}

TEST(BitmapCanvas, RecordsTextCalls)
{
    BitmapCanvas canvas(6, 5, kBack);
    canvas.DrawText("19", {1, 2, 3, 4}, kTextRight | kTextNoClip, kInk, {"Courier", 8});
    ASSERT_EQ(canvas.Texts().size(), 1u);
    EXPECT_EQ(canvas.Texts()[0],
              (TextCall{"19", {1, 2, 3, 4}, kTextRight | kTextNoClip, kInk, {"Courier", 8}}));
    EXPECT_EQ(Picture(canvas, 6, 5), "......\n......\n......\n......\n......\n");
}
