#pragma once
// Where the main window's size rule and the header's size rule put things.
// Plain arithmetic, no <windows.h>, so it can be tested natively.

struct ShellRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct MainLayout {
    ShellRect headerPanel;
    ShellRect questionPanel;
    ShellRect versionLabel;
};

constexpr int HeaderPanelHeight = 49;

inline int nonNegative(int value) { return value < 0 ? 0 : value; }

// From the main window's client size. Panel sizes never go below zero when
// the window is made tiny.
inline MainLayout mainLayout(int clientWidth, int clientHeight) {
    MainLayout layout;
    layout.headerPanel = {5, 2, nonNegative(clientWidth - 11), HeaderPanelHeight};
    layout.questionPanel = {5, 50, nonNegative(clientWidth - 11), nonNegative(clientHeight - 68)};
    layout.versionLabel = {clientWidth - 145, clientHeight - 16, 140, 15};
    return layout;
}

// Control identifiers of the header panel; the score display writes 30 and 32.
enum HeaderControl : int {
    HeaderLinkId = 24,
    HeaderById = 25,
    HeaderAuthorId = 26,
    HeaderSaveId = 27,
    HeaderSubtitleId = 28,
    HeaderTitleId = 29,
    HeaderCodeId = 30,
    HeaderCodeCaptionId = 31,
    HeaderScoreId = 32,
    HeaderScoreLineId = 120,
    HeaderLeftLineId = 121,
    HeaderRightLineId = 122,
};

struct HeaderMove {
    int id;
    ShellRect place;
    bool invalidate;  // repaint at the new place
};

constexpr int HeaderMoveCount = 6;

struct HeaderLayout {
    HeaderMove moves[HeaderMoveCount];
};

// From the header panel's client width: the right block and the button
// follow the right edge, the subtitle takes what is left (never below zero).
inline HeaderLayout headerLayout(int clientWidth) {
    const int r = clientWidth;
    return HeaderLayout{{
        {HeaderLinkId, {r - 134, 0, 115, 18}, false},
        {HeaderById, {r - 134, 25, 26, 18}, false},
        {HeaderAuthorId, {r - 107, 25, 105, 18}, true},
        {HeaderSaveId, {r - 204, 25, 55, 18}, true},
        {HeaderSubtitleId, {110, 19, nonNegative(r - 324), 28}, true},
        {HeaderRightLineId, {r - 145, 0, 1, 50}, true},
    }};
}
