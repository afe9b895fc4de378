#pragma once
// The main window ("WindowsApp"): holds the two panels and the version label,
// applies the size rule, forwards the wheel and handles the close request.

#include <windows.h>

constexpr const char* MainWindowClass = "WindowsApp";
constexpr int MainWindowWidth = 544;
constexpr int MainWindowHeight = 375;

bool registerMainWindowClass(HINSTANCE instance);
// Creates the window (its caption is the quiz title) and centres it on the desktop.
HWND createMainWindow(HINSTANCE instance, const char* caption);
