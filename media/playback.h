#pragma once
// Sound and video clips of a sound or video quiz, played in the Windows Media
// Player control (or handed to the shell when it is missing). Every operation
// does nothing for a text or picture quiz.

#include <windows.h>

#include "content/quiz.h"

// At start-up, after loading, before the main window exists.
void mediaStartup(const Quiz& quiz);
// First step of the question panel's initialisation: icons, player host (9900)
// and the player, or the missing-player message.
void playerSetup(HWND panel);
// The play and stop icons (resources 1004 and 1005), once playerSetup ran.
HICON playIcon();
HICON stopIcon();
// The question panel's WM_COMMAND: play (6000 + q) and stop (7000 + q).
void mediaCommand(HWND panel, WPARAM wParam);
// Teardown: deletes the clip files, destroys the main window, releases the player.
void mediaShutdown(HWND mainWindow);
