#pragma once
// The bytes of one resource of a module, locked for as long as this object
// lives and freed once. A missing resource gives no bytes and size 0.

#include <windows.h>

#include <cstddef>
#include <cstdint>

class ResourceBytes {
public:
    ResourceBytes(HMODULE module, const char* type, int id);
    ~ResourceBytes();
    ResourceBytes(const ResourceBytes&) = delete;
    ResourceBytes& operator=(const ResourceBytes&) = delete;

    const uint8_t* data() const { return bytes_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    HGLOBAL loaded_ = nullptr;
    const uint8_t* bytes_ = nullptr;
    std::size_t size_ = 0;
};
