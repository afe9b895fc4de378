#pragma once
// The Windows Media Player control, hosted in a window through atl.dll's
// AtlAxAttachControl. atl.dll is loaded at run time so that a machine
// without it still runs the quiz (its clips then go to the shell).

#include <windows.h>

#include <string>

struct IWMPPlayer;
struct IWMPControls;

using AttachControlFunction = HRESULT(WINAPI*)(IUnknown* control, HWND host, IUnknown** container);

struct AtlLibrary {
    HMODULE module = nullptr;
    AttachControlFunction attach = nullptr;
};

// LoadLibraryA("atl.dll") and the address of AtlAxAttachControl; either may
// stay empty.
AtlLibrary loadAtl();
void freeAtl(AtlLibrary& atl);

// The player and its controls, each held once and released once.
struct WmpPlayer {
    IWMPPlayer* player = nullptr;
    IWMPControls* controls = nullptr;
};

// Creates the control and attaches it to host. False when it cannot be
// created; player stays empty then.
bool createPlayer(WmpPlayer& wmp, AttachControlFunction attach, HWND host);
// Opens the file (an ANSI name of at most 511 characters) and starts playing.
void playFile(WmpPlayer& wmp, const std::string& fileName);
// Stops playback; the player lets go of the file.
void stopPlayer(WmpPlayer& wmp);
void releasePlayer(WmpPlayer& wmp);
