#pragma once
// Clip files: a question's clip copied from the executable's resources to a
// file in the current directory, where the media player (or the shell) can
// open it, and deleted again afterwards.

#include <windows.h>

#include <string>

#include "media/clip_names.h"

// Writes the clip of resource "IMG" resourceId to the clip file of question
// resourceId - 400. Returns 1 when the file holds the whole clip, 0 otherwise
// (no resource: silently; a resource that cannot be loaded: a message box).
// The panel is not used.
int extractClip(HWND panel, int32_t resourceId, ClipType type);

// A missing file is no error; a file held open elsewhere stays.
void deleteClipFile(const std::string& name);
