#pragma once
// The question panel's scroll arithmetic: positions per scroll code, clamping,
// the bars' ranges and pages, the wheel rule and the Tab rule. Pixels; no
// windows here.

#include <cstdint>

// Scroll codes of WM_VSCROLL / WM_HSCROLL (low word of the first parameter).
constexpr int ScrollLineUp = 0;
constexpr int ScrollLineDown = 1;
constexpr int ScrollPageUp = 2;
constexpr int ScrollPageDown = 3;
constexpr int ScrollThumbPosition = 4;
constexpr int ScrollThumbTrack = 5;
constexpr int ScrollTop = 6;
constexpr int ScrollBottom = 7;
// The panel's own vertical codes.
constexpr int ScrollWheelDown = 500;
constexpr int ScrollWheelUp = 501;
constexpr int ScrollToCursor = 502;

constexpr int VerticalLineStep = 310;
constexpr int HorizontalLineStep = 1;
constexpr int WheelStep = 50;

// One scroll bar as SCROLLINFO holds it.
struct ScrollBarState {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// New position before clamping.
int verticalTarget(int code, const ScrollBarState& bar, int cursorTarget);
int horizontalTarget(int code, const ScrollBarState& bar);
// Above nMax becomes nMax; then below nMin becomes nMin.
int clampToRange(int position, const ScrollBarState& bar);
// What the platform then allows: nMin .. nMax - nPage + 1.
int platformLimit(int position, const ScrollBarState& bar);

// Range and page of one bar for content of `content` pixels in a view of
// `view` pixels. When the content fits, the position is reset to 0 and the
// page covers the whole content.
struct BarRange {
    int nMax;
    int nPage;
    bool resetPosition;
};
BarRange barRange(int32_t content, int view);

// The wheel rule: the high word of a wheel message's first parameter gives
// ScrollWheelUp for 120, ScrollWheelDown for 65416 (-120), otherwise 0 (none).
int wheelCode(uint16_t distance);

// The Tab rule, applied by the answer box that has just received the focus.
struct TabAction {
    enum Kind { None, Top, ToCursor } kind = None;
    int cursorTarget = 0;  // meaningful only when the rule computed one
    bool setsCursorTarget = false;
};
struct ScreenSpan {
    int top;
    int bottom;
};
// boxId: identifier of the box; shiftDown: Shift held at the key's release.
TabAction tabRule(int boxId, bool shiftDown, int questionCount, ScreenSpan box, ScreenSpan panel);
