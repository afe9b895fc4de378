#include "media/playback.h"

// Placeholder until clip playback lands.
void mediaStartup(const Quiz&) {}
void playerSetup(HWND) {}
HICON playIcon() { return nullptr; }
HICON stopIcon() { return nullptr; }
void mediaCommand(HWND, WPARAM) {}
void mediaShutdown(HWND) {}
