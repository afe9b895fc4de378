#include "builder/cp1252.h"

namespace {

// Bytes 0x80..0x9F; every other byte is its own code point.
constexpr char32_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isUnassigned(uint8_t byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// -1 when the code point has no code page 1252 form.
int byteFor(char32_t cp) {
    if (cp == 0) return -1;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        uint8_t byte = static_cast<uint8_t>(0x80 + i);
        if (HighControls[i] == cp && !isUnassigned(byte)) return byte;
    }
    return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

char32_t cp1252CodePoint(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F) return HighControls[byte - 0x80];
    return byte;
}

Cp1252Result utf8ToCp1252(std::string_view utf8) {
    Cp1252Result result;
    std::size_t i = 0;
    while (i < utf8.size()) {
        uint8_t lead = static_cast<uint8_t>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > utf8.size()) {
            result.ok = false;
            result.invalidUtf8 = true;
            result.bytes += '?';
            ++i;
            continue;
        }
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (std::size_t k = 1; k < length; ++k) {
            uint8_t next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            result.ok = false;
            result.invalidUtf8 = true;
            result.bytes += '?';
            ++i;
            continue;
        }
        int byte = byteFor(cp);
        if (byte < 0) {
            if (result.ok) result.firstBad = std::string(utf8.substr(i, length));
            result.ok = false;
            result.bytes += '?';
        } else {
            result.bytes += static_cast<char>(byte);
        }
        i += length;
    }
    return result;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) appendUtf8(out, cp1252CodePoint(static_cast<uint8_t>(c)));
    return out;
}
