#include "panel/scroll_math.h"

#include "panel/control_ids.h"

namespace {

constexpr int WheelNotchAway = 120;
constexpr int WheelNotchToward = 65416;  // -120 as an unsigned 16-bit word
constexpr int CursorMargin = 360;        // the focused box lands this far below the top

}  // namespace

int verticalTarget(int code, const ScrollBarState& bar, int cursorTarget) {
    switch (code) {
    case ScrollLineUp: return bar.nPos - VerticalLineStep;
    case ScrollLineDown: return bar.nPos + VerticalLineStep;
    case ScrollPageUp: return bar.nPos - bar.nPage;
    case ScrollPageDown: return bar.nPos + bar.nPage;
    case ScrollThumbPosition: return bar.nPos;
    case ScrollThumbTrack: return bar.nTrackPos;
    case ScrollTop: return 0;
    case ScrollBottom: return bar.nMax;
    case ScrollWheelDown: return bar.nPos + WheelStep;
    case ScrollWheelUp: return bar.nPos - WheelStep;
    case ScrollToCursor: return cursorTarget;
    default: return bar.nPos;
    }
}

int horizontalTarget(int code, const ScrollBarState& bar) {
    switch (code) {
    case ScrollLineUp: return bar.nPos - HorizontalLineStep;
    case ScrollLineDown: return bar.nPos + HorizontalLineStep;
    case ScrollPageUp: return bar.nPos - bar.nPage;
    case ScrollPageDown: return bar.nPos + bar.nPage;
    case ScrollThumbPosition: return bar.nPos;
    case ScrollThumbTrack: return bar.nTrackPos;
    default: return bar.nPos;  // SB_LEFT, SB_RIGHT, SB_ENDSCROLL and the rest
    }
}

int clampToRange(int position, const ScrollBarState& bar) {
    if (position > bar.nMax) position = bar.nMax;
    if (position < bar.nMin) position = bar.nMin;
    return position;
}

int platformLimit(int position, const ScrollBarState& bar) {
    const int highest = bar.nMax - bar.nPage + 1;
    if (position > highest) position = highest;
    if (position < bar.nMin) position = bar.nMin;
    return position;
}

BarRange barRange(int32_t content, int view) {
    BarRange range{};
    range.resetPosition = content <= view;
    const int visible = range.resetPosition ? content : view;
    range.nMax = content - 2;
    range.nPage = visible - 1;
    return range;
}

int wheelCode(uint16_t distance) {
    if (distance == WheelNotchAway) return ScrollWheelUp;
    if (distance == WheelNotchToward) return ScrollWheelDown;
    return 0;
}

TabAction tabRule(int boxId, bool shiftDown, int questionCount, ScreenSpan box, ScreenSpan panel) {
    TabAction action;
    const int d = shiftDown ? -1 : 1;
    // A quiz without questions has no boxes; guard the division all the same.
    const int r = questionCount > 0 ? (boxId + d - AnswerBoxBaseId) % questionCount : 0;
    if (r == 1) {
        action.kind = TabAction::Top;
        return action;
    }
    action.setsCursorTarget = true;
    action.cursorTarget = box.top - CursorMargin;
    if (box.bottom > panel.bottom || box.top < panel.top) action.kind = TabAction::ToCursor;
    return action;
}
