#pragma once
// A fixed 260-byte text: at most 259 single-byte characters (code page 1252)
// and the terminating NUL. Every text of the quiz lives in one.

#include <cstddef>
#include <cstring>
#include <string_view>

constexpr std::size_t Text260Size = 260;
constexpr std::size_t TextMaxLength = Text260Size - 1;

struct Text260 {
    char bytes[Text260Size] = {};

    Text260() = default;
    Text260(std::string_view text) { assign(text); }

    // Copies at most 259 bytes; a longer text is cut.
    void assign(std::string_view text) {
        std::size_t n = text.size() < TextMaxLength ? text.size() : TextMaxLength;
        if (n) std::memcpy(bytes, text.data(), n);
        bytes[n] = '\0';
    }
    const char* c_str() const { return bytes; }
    char* data() { return bytes; }
    std::size_t length() const { return std::strlen(bytes); }
    bool empty() const { return bytes[0] == '\0'; }
    std::string_view view() const { return {bytes, length()}; }
};

inline bool operator==(const Text260& a, std::string_view b) { return a.view() == b; }
