#pragma once
// Quiz texts are written in UTF-8 and stored as code page 1252 bytes.

#include <cstdint>
#include <string>
#include <string_view>

struct Cp1252Result {
    std::string bytes;       // the code page 1252 text (unmappable characters become '?')
    bool ok = true;          // every character had a code page 1252 form
    std::string firstBad;    // the first character without one, as UTF-8
    bool invalidUtf8 = false;
};

// Converts UTF-8 to code page 1252. U+0000 has no stored form (the player
// drops zero bytes), so it counts as unmappable too.
Cp1252Result utf8ToCp1252(std::string_view utf8);

// Converts code page 1252 to UTF-8; the five unassigned bytes map to the
// C1 controls of the same value, as Windows does, so nothing is lost.
std::string cp1252ToUtf8(std::string_view bytes);

// The Unicode code point of a code page 1252 byte.
char32_t cp1252CodePoint(uint8_t byte);
