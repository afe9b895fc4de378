#pragma once
// Pictures from the executable's "IMG" resources, decoded and scaled to fit a box.

#include <windows.h>

// A new bitmap scaled to fit boxWidth x boxHeight with the aspect ratio
// kept, or none. The bitmap belongs to the caller.
HBITMAP loadPicture(HMODULE module, int id, const char* type, int boxWidth, int boxHeight);
HBITMAP decodePicture(const void* bytes, DWORD length);
HBITMAP scaleToFit(HBITMAP source, int boxWidth, int boxHeight);
