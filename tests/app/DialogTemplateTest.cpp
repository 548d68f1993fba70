#include "DialogTemplate.h"

#include "ControlIds.h"

#include <gtest/gtest.h>

#include <set>

using namespace tovarin;

TEST(DialogTemplate, MinimisedIconIsCentredTruncatingTowardZero)
{
    struct Case
    {
        int clientWidth, clientHeight;
        IconPosition expected;
    } const cases[] = {
        {36, 36, {2, 2}},
        {31, 36, {0, 2}},  // (31 - 32 + 1) / 2 = 0
        {30, 29, {0, -1}}, // (-1) / 2 truncates to 0; (-2) / 2 is -1
        {876, 740, {422, 354}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clientWidth);
        const IconPosition at = MinimisedIconPosition(c.clientWidth, c.clientHeight, 32, 32);
        EXPECT_EQ(at.x, c.expected.x);
        EXPECT_EQ(at.y, c.expected.y);
    }
}

TEST(DialogTemplate, EveryControlOnceAndTheChartFramesEncloseTheCharts)
{
    std::set<int> ids;
    int frames = 0, labels = 0;
    for (const ControlTemplate& c : DialogControls()) {
        if (c.id != 0) {
            EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        }
        frames += c.kind == ControlKind::Frame;
        labels += c.kind == ControlKind::Label;
    }
    EXPECT_EQ(ids.size(), 19u * 5u + 10u + 4u); // grid, single controls, buttons
    EXPECT_EQ(frames, 8);
    EXPECT_EQ(labels, 10);
    for (const RowControls& row : kRowControls)
        for (const int id : {row.flow, row.response, row.maf, row.fit, row.errorPct}) {
            EXPECT_TRUE(ids.count(id)) << id;
        }

    // The uncaptioned frames in pixels against the charts at (505, 170) and
    // (505, 385), 350 x 200 each.
    const int chartTops[] = {170, 385};
    int chart = 0;
    for (const ControlTemplate& c : DialogControls()) {
        if (c.kind != ControlKind::Frame || !c.text.empty())
            continue;
        const double left = c.x * kPixelsPerUnitX, right = (c.x + c.width) * kPixelsPerUnitX;
        const double top = c.y * kPixelsPerUnitY, bottom = (c.y + c.height) * kPixelsPerUnitY;
        EXPECT_LT(left, 505);
        EXPECT_GT(right, 855);
        EXPECT_LT(top, chartTops[chart]);
        EXPECT_GT(bottom, chartTops[chart] + 200);
        ++chart;
    }
    EXPECT_EQ(chart, 2);
}

TEST(DialogTemplate, TabOrderFollowsTheTemplate)
{
    std::vector<int> order;
    for (const ControlTemplate& c : DialogControls())
        if (c.kind != ControlKind::Frame && c.kind != ControlKind::Label)
            order.push_back(c.id);
    ASSERT_EQ(order.size(), 19u * 5u + 10u + 4u);
    EXPECT_EQ(order[0], 1005);  // row 0 flow
    EXPECT_EQ(order[1], 1020);  // row 0 response
    EXPECT_EQ(order[37], 1064); // row 18 response
    EXPECT_EQ(order[38], 2);    // "Run Test"
    EXPECT_EQ(order[39], 1);    // "Exit"
    EXPECT_EQ(order[40], 1054);
    EXPECT_EQ(order[41], 1055);
    EXPECT_EQ(order[42], 1041); // MAF column
    EXPECT_EQ(order[61], 1071); // fit column
    EXPECT_EQ(order[80], 1069);
    EXPECT_EQ(order[86], 1094);
    EXPECT_EQ(order[87], 3);
    EXPECT_EQ(order[88], 1095);
    EXPECT_EQ(order[89], 4);
    EXPECT_EQ(order[90], 1115); // error column
    EXPECT_EQ(order.back(), 1133);
}
