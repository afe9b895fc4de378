#pragma once
// The question panel (dialog 1001): built from the quiz in WM_INITDIALOG,
// scrolled in both directions, its answer boxes judged as they are left.

#include <windows.h>

INT_PTR CALLBACK questionPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// The wheel rule shared with the main window: one notch posts one scroll code.
void forwardWheel(HWND panel, WPARAM wParam);

// Writes the answers file from the panel's answer boxes.
void saveAnswers(HWND panel);
