#pragma once
// What the application shell keeps for the whole run: the windows it made and
// the version label's brush. One thread touches it.

#include <windows.h>

#include "app/gdi_object.h"
#include "panel/question_panel.h"

struct ShellState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND headerPanel = nullptr;
    HWND questionPanel = nullptr;
    GdiObject<HBRUSH> labelBrush;
    bool quizLoaded = false;  // the quiz content was decoded and read
};

extern ShellState shell;

// A copy whose quiz could not be loaded has no answer boxes: saving would only
// replace the answers a good copy left beside it with an empty file.
inline void saveShellAnswers() {
    if (shell.questionPanel && shell.quizLoaded) saveAnswers(shell.questionPanel);
}
