#pragma once
// What the question panel's Win32 files share: the panel-wide values and the
// operations one file calls in another. There is one question panel per process.

#include <windows.h>

#include <cstdint>

#include "content/quiz.h"

class AnswersFileReader;

struct PanelState {
    int32_t contentWidth = 0;   // set while the panel initialises
    int32_t contentHeight = 0;
    int cursorTarget = 0;       // where ScrollToCursor goes; set by the Tab rule
    WNDPROC previousBoxProc = nullptr;  // the Edit class procedure the boxes forward to
    bool closing = false;       // the panel is being hidden or destroyed for good
};
extern PanelState panelState;

// Scrolling (scrolling_win.cpp).
void updateScrollRanges(HWND panel);
void onPanelScroll(HWND panel, int bar, int code);
void onPanelSize(HWND panel);

// Answer boxes (answer_box_win.cpp).
LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
void fillUnsolvedBoxes(HWND box);

// Building the controls (panel_build_win.cpp); fills contentWidth and contentHeight.
// Each answer box takes the next line of `answers`.
void buildPanelControls(HWND panel, Quiz& quiz, AnswersFileReader& answers);
