// Where a line control's segment lies and how its size follows.
#include "about/line_geometry.h"

#include <gtest/gtest.h>

#include <climits>

using namespace talvorine;

namespace {

LineGeometry Of(TLineType type) {
    LineGeometry line;
    line.SetLine(type, {65, 65});
    return line;
}

}  // namespace

TEST(LineGeometry, EachTypePlacesItsSegmentFromTheSizeAtTheStartOfThePaint) {
    struct Case {
        TLineType type;
        LineSegment segment;
        LineSize after;
    };
    // A control 7 wide and 5 high, pen 2 wide.
    const Case cases[] = {
        {ltHorizontal, {0, 2, 6, 2}, {7, 20}}, {ltVertical, {3, 0, 3, 4}, {20, 5}},    {ltTop, {0, 0, 6, 0}, {7, 5}},
        {ltBottom, {0, 4, 6, 4}, {7, 5}},      {ltLeft, {0, 0, 0, 4}, {7, 5}},         {ltRight, {6, 0, 6, 4}, {7, 5}},
        {ltUpDiagonal, {0, 4, 6, 0}, {7, 5}},  {ltDownDiagonal, {0, 0, 6, 4}, {7, 5}},
    };
    for (const Case& c : cases) {
        LineGeometry line = Of(c.type);
        const LineGeometry::Plan plan = line.PlanPaint({7, 5}, 2);
        EXPECT_EQ(plan.segment, c.segment) << "type " << int(c.type);
        EXPECT_EQ(plan.size, c.after) << "type " << int(c.type);
        EXPECT_EQ(line.Segment(), c.segment) << "type " << int(c.type);
    }
}

TEST(LineGeometry, CustomLineClampsNegativeEndsAndOnlyGrows) {
    LineGeometry line;
    line.SetFromX(100);
    line.SetToY(-5);
    auto plan = line.PlanPaint({65, 65}, 1);
    EXPECT_EQ(plan.segment, (LineSegment{100, 0, 0, 0}));
    EXPECT_EQ(plan.size, (LineSize{101, 65}));

    line.SetFromX(-3);
    line.SetToX(10);
    line.SetFromY(80);
    plan = line.PlanPaint({101, 65}, 1);
    EXPECT_EQ(plan.segment, (LineSegment{0, 80, 10, 0}));
    EXPECT_EQ(plan.size, (LineSize{101, 81}));  // never narrower

    line.SetToX(INT_MAX);
    EXPECT_EQ(line.PlanPaint({101, 81}, 1).size.width, INT_MAX);  // no overflow
}

TEST(LineGeometry, CoordinatesAreTakenOnlyByACustomLine) {
    LineGeometry custom;
    EXPECT_TRUE(custom.SetFromX(0));  // an unchanged value still repaints
    EXPECT_TRUE(custom.SetToY(7));
    EXPECT_EQ(custom.ToY(), 7);

    LineGeometry top = Of(ltTop);
    top.PlanPaint({65, 65}, 1);
    EXPECT_FALSE(top.SetFromX(10));
    EXPECT_FALSE(top.SetToY(10));
    EXPECT_EQ(top.Segment(), (LineSegment{0, 0, 64, 0}));
}

TEST(LineGeometry, SwitchingTypeResizesByTheRulesOfTheFormerType) {
    struct Case {
        TLineType from, to;
        LineSize before, after;
    };
    const Case cases[] = {
        {ltHorizontal, ltVertical, {196, 10}, {10, 196}},
        {ltHorizontal, ltTop, {196, 10}, {196, 65}},
        {ltHorizontal, ltBottom, {196, 10}, {196, 65}},
        {ltHorizontal, ltLeft, {196, 10}, {65, 196}},
        {ltHorizontal, ltRight, {196, 10}, {65, 196}},
        {ltHorizontal, ltUpDiagonal, {196, 10}, {196, 65}},
        {ltHorizontal, ltCustom, {196, 10}, {196, 10}},
        {ltVertical, ltHorizontal, {10, 196}, {196, 10}},
        {ltVertical, ltTop, {10, 196}, {196, 65}},
        {ltVertical, ltLeft, {10, 196}, {65, 196}},
        {ltVertical, ltDownDiagonal, {10, 196}, {65, 196}},
        {ltVertical, ltCustom, {10, 196}, {10, 196}},
        {ltTop, ltVertical, {30, 40}, {30, 40}},
        {ltCustom, ltHorizontal, {30, 40}, {30, 40}},
    };
    for (const Case& c : cases) {
        LineGeometry line = Of(c.from);
        EXPECT_EQ(line.SetLine(c.to, c.before), c.after) << int(c.from) << " -> " << int(c.to);
        EXPECT_EQ(line.Line(), c.to);
    }
}

TEST(LineGeometry, UnchangedTypeDoesNothingAndSwitchToCustomKeepsTheLastSegment) {
    LineGeometry line = Of(ltDownDiagonal);
    EXPECT_EQ(line.SetLine(ltDownDiagonal, {40, 30}), std::nullopt);
    line.PlanPaint({40, 30}, 1);
    line.SetLine(ltCustom, {40, 30});
    EXPECT_EQ(line.Segment(), (LineSegment{0, 0, 39, 29}));
    EXPECT_EQ(line.PlanPaint({40, 30}, 1).segment, (LineSegment{0, 0, 39, 29}));
}
