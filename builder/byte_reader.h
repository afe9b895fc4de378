#pragma once
// Bounds-checked little-endian reads and writes over a byte buffer. Every
// binary read of the builder goes through here: a read past the end fails,
// it never reads outside the buffer.

#include <cstddef>
#include <cstdint>
#include <vector>

class ByteReader {
public:
    ByteReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool has(std::size_t offset, std::size_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    bool u8(std::size_t offset, uint8_t& value) const {
        if (!has(offset, 1)) return false;
        value = data_[offset];
        return true;
    }
    bool u16(std::size_t offset, uint16_t& value) const {
        if (!has(offset, 2)) return false;
        value = static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8));
        return true;
    }
    bool u32(std::size_t offset, uint32_t& value) const {
        if (!has(offset, 4)) return false;
        value = static_cast<uint32_t>(data_[offset]) | (static_cast<uint32_t>(data_[offset + 1]) << 8) |
                (static_cast<uint32_t>(data_[offset + 2]) << 16) | (static_cast<uint32_t>(data_[offset + 3]) << 24);
        return true;
    }
    const uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    const uint8_t* data_;
    std::size_t size_;
};

// Writers for buffers the caller has already sized.
inline void putU16(std::vector<uint8_t>& out, std::size_t offset, uint16_t value) {
    out.at(offset + 1);
    out[offset] = static_cast<uint8_t>(value);
    out[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void putU32(std::vector<uint8_t>& out, std::size_t offset, uint32_t value) {
    out.at(offset + 3);
    for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}
