#include "media/picture.h"

HBITMAP loadPicture(HMODULE, int, const char*, int, int) { return nullptr; }
HBITMAP decodePicture(const void*, DWORD) { return nullptr; }
HBITMAP scaleToFit(HBITMAP, int, int) { return nullptr; }
