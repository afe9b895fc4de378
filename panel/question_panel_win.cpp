#include "panel/question_panel.h"

INT_PTR CALLBACK questionPanelProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void forwardWheel(HWND, WPARAM) {}
void saveAnswers(HWND) {}
