#include "panel/scroll_math.h"

#include <gtest/gtest.h>

namespace {

// A bar as the panel sets it for content of `content` pixels in a view of `view`.
ScrollBarState barFor(int content, int view, int position = 0) {
    BarRange range = barRange(content, view);
    ScrollBarState bar;
    bar.nMax = range.nMax;
    bar.nPage = range.nPage;
    bar.nPos = range.resetPosition ? 0 : position;
    return bar;
}

// The position a vertical code leaves, as the panel computes it and the
// platform then limits it.
int scrollVertically(ScrollBarState& bar, int code, int cursorTarget = 0) {
    bar.nPos = platformLimit(clampToRange(verticalTarget(code, bar, cursorTarget), bar), bar);
    return bar.nPos;
}

TEST(ScrollMath, RangesLeaveExactlyTheOverhang) {
    struct Case {
        int content, view, nMax, nPage, highest;
        bool reset;
    } cases[] = {
        {910, 500, 908, 499, 410, false},  // horizontal of a 910 x 665 content in 500 x 300
        {665, 300, 663, 299, 365, false},
        {850, 900, 848, 849, 0, true},     // narrower than the view: disabled bar
        {300, 300, 298, 299, 0, true},     // exactly fits
        {0, 300, -2, -1, 0, true},         // no questions
    };
    for (const auto& c : cases) {
        BarRange range = barRange(c.content, c.view);
        EXPECT_EQ(range.nMax, c.nMax) << c.content;
        EXPECT_EQ(range.nPage, c.nPage) << c.content;
        EXPECT_EQ(range.resetPosition, c.reset) << c.content;
        ScrollBarState bar = barFor(c.content, c.view);
        EXPECT_EQ(platformLimit(1'000'000, bar), c.highest) << c.content;
        EXPECT_EQ(platformLimit(-50, bar), 0) << c.content;
    }
}

TEST(ScrollMath, VerticalCodes) {
    ScrollBarState bar = barFor(665, 300);  // positions 0..365, page 299
    EXPECT_EQ(scrollVertically(bar, ScrollLineDown), 310);
    EXPECT_EQ(scrollVertically(bar, ScrollLineDown), 365);
    EXPECT_EQ(scrollVertically(bar, ScrollLineUp), 55);
    EXPECT_EQ(scrollVertically(bar, ScrollLineUp), 0);
    EXPECT_EQ(scrollVertically(bar, ScrollPageDown), 299);
    EXPECT_EQ(scrollVertically(bar, ScrollPageUp), 0);
    EXPECT_EQ(scrollVertically(bar, ScrollWheelDown), 50);
    EXPECT_EQ(scrollVertically(bar, ScrollWheelDown), 100);
    EXPECT_EQ(scrollVertically(bar, ScrollWheelUp), 50);
    EXPECT_EQ(scrollVertically(bar, ScrollBottom), 365);
    EXPECT_EQ(scrollVertically(bar, ScrollTop), 0);
    EXPECT_EQ(scrollVertically(bar, ScrollToCursor, 200), 200);
    EXPECT_EQ(scrollVertically(bar, ScrollToCursor, -400), 0);
    EXPECT_EQ(scrollVertically(bar, ScrollToCursor, 5000), 365);
    EXPECT_EQ(scrollVertically(bar, 8), 365);   // SB_ENDSCROLL: unchanged
    EXPECT_EQ(scrollVertically(bar, 499), 365); // unknown: unchanged
}

TEST(ScrollMath, ThumbTrackMovesAndThumbPositionStays) {
    ScrollBarState bar = barFor(665, 300, 10);
    bar.nTrackPos = 123;
    EXPECT_EQ(scrollVertically(bar, ScrollThumbTrack), 123);
    bar.nTrackPos = 300;
    EXPECT_EQ(scrollVertically(bar, ScrollThumbPosition), 123);
    EXPECT_EQ(horizontalTarget(ScrollThumbTrack, bar), 300);
}

TEST(ScrollMath, HorizontalCodes) {
    ScrollBarState bar = barFor(910, 500, 100);
    EXPECT_EQ(horizontalTarget(ScrollLineUp, bar), 99);
    EXPECT_EQ(horizontalTarget(ScrollLineDown, bar), 101);
    EXPECT_EQ(horizontalTarget(ScrollPageUp, bar), 100 - 499);
    EXPECT_EQ(horizontalTarget(ScrollPageDown, bar), 100 + 499);
    // SB_LEFT, SB_RIGHT and the panel's own vertical codes do nothing sideways.
    for (int code : {ScrollTop, ScrollBottom, 8, ScrollWheelDown, ScrollWheelUp, ScrollToCursor})
        EXPECT_EQ(horizontalTarget(code, bar), 100) << code;
}

TEST(ScrollMath, ClampTakesNMaxBeforeNMin) {
    ScrollBarState bar;
    bar.nMin = 0;
    bar.nMax = -2;  // an empty content
    EXPECT_EQ(clampToRange(40, bar), 0);
    EXPECT_EQ(clampToRange(-40, bar), 0);
    bar.nMax = 663;
    EXPECT_EQ(clampToRange(700, bar), 663);
}

TEST(ScrollMath, WheelRule) {
    EXPECT_EQ(wheelCode(120), ScrollWheelUp);
    EXPECT_EQ(wheelCode(65416), ScrollWheelDown);
    for (uint16_t other : {0, 60, 240, 65296, 65476, 1})
        EXPECT_EQ(wheelCode(other), 0) << other;
}

TEST(ScrollMath, TabRule) {
    const ScreenSpan panel{300, 600};
    const ScreenSpan inside{400, 420};
    // Text quiz of 10: Tab into box 10 and Shift+Tab into box 2 give r = 1.
    EXPECT_EQ(tabRule(4010, false, 10, inside, panel).kind, TabAction::Top);
    EXPECT_EQ(tabRule(4002, true, 10, inside, panel).kind, TabAction::Top);

    TabAction visible = tabRule(4005, false, 10, inside, panel);
    EXPECT_EQ(visible.kind, TabAction::None);
    EXPECT_TRUE(visible.setsCursorTarget);
    EXPECT_EQ(visible.cursorTarget, 40);

    TabAction below = tabRule(4005, false, 10, {590, 610}, panel);
    EXPECT_EQ(below.kind, TabAction::ToCursor);
    EXPECT_EQ(below.cursorTarget, 230);
    EXPECT_EQ(tabRule(4005, true, 10, {290, 310}, panel).kind, TabAction::ToCursor);
    // Touching the edges is still inside.
    EXPECT_EQ(tabRule(4005, true, 10, {300, 600}, panel).kind, TabAction::None);
    // No questions: no division by zero.
    EXPECT_EQ(tabRule(4001, false, 0, inside, panel).kind, TabAction::None);
}

}  // namespace
