// The panel's scroll bars: ranges from the content and the view, the scroll
// codes, resizing, and the wheel rule shared with the main window.

#include "panel/panel_win.h"
#include "panel/question_panel.h"
#include "panel/scroll_math.h"

namespace {

ScrollBarState readBar(HWND panel, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(panel, bar, &info);
    return ScrollBarState{info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos,
                          info.nTrackPos};
}

void setBar(HWND panel, int bar, int32_t content, int view) {
    const BarRange range = barRange(content, view);
    if (range.resetPosition) SetScrollPos(panel, bar, 0, FALSE);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = range.nMax;
    // An empty content gives a page of -1: the platform caps it to the whole
    // range, which leaves the bar disabled.
    info.nPage = static_cast<UINT>(range.nPage);
    SetScrollInfo(panel, bar, &info, TRUE);
}

}  // namespace

void updateScrollRanges(HWND panel) {
    RECT client{};
    GetClientRect(panel, &client);
    setBar(panel, SB_HORZ, panelState.contentWidth, client.right - client.left);
    setBar(panel, SB_VERT, panelState.contentHeight, client.bottom - client.top);
}

void onPanelScroll(HWND panel, int bar, int code) {
    const ScrollBarState before = readBar(panel, bar);
    const int target = bar == SB_VERT ? verticalTarget(code, before, panelState.cursorTarget)
                                      : horizontalTarget(code, before);
    SetScrollPos(panel, bar, clampToRange(target, before), TRUE);
    const int shift = before.nPos - GetScrollPos(panel, bar);
    if (shift == 0) return;
    if (bar == SB_VERT)
        ScrollWindow(panel, 0, shift, nullptr, nullptr);
    else
        ScrollWindow(panel, shift, 0, nullptr, nullptr);
}

void onPanelSize(HWND panel) {
    const int oldHorizontal = GetScrollPos(panel, SB_HORZ);
    const int oldVertical = GetScrollPos(panel, SB_VERT);
    updateScrollRanges(panel);
    const int dx = oldHorizontal - GetScrollPos(panel, SB_HORZ);
    const int dy = oldVertical - GetScrollPos(panel, SB_VERT);
    if (dx != 0 || dy != 0) ScrollWindow(panel, dx, dy, nullptr, nullptr);
}

void forwardWheel(HWND panel, WPARAM wParam) {
    const int code = wheelCode(HIWORD(wParam));
    if (code != 0) PostMessageA(panel, WM_VSCROLL, static_cast<WPARAM>(code), 0);
}
