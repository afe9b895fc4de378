#include "app/resource_bytes.h"

ResourceBytes::ResourceBytes(HMODULE module, const char* type, int id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!found) return;
    loaded_ = LoadResource(module, found);
    if (!loaded_) return;
    const DWORD size = SizeofResource(module, found);
    const void* locked = LockResource(loaded_);
    if (!locked || size == 0) return;
    bytes_ = static_cast<const uint8_t*>(locked);
    size_ = size;
}

ResourceBytes::~ResourceBytes() {
    if (loaded_) FreeResource(loaded_);
}
