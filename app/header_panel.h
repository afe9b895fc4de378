#pragma once
// The header panel (dialog 1002): score and reward code, title and subtitle,
// the link to the maker's web address, the author, and the "Sauver" button.

#include <windows.h>

INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
