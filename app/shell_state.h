#pragma once
// What the application shell keeps for the whole run: the windows it made and
// the version label's brush. One thread touches it.

#include <windows.h>

#include "app/gdi_object.h"

struct ShellState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND headerPanel = nullptr;
    HWND questionPanel = nullptr;
    GdiObject<HBRUSH> labelBrush;
};

extern ShellState shell;
