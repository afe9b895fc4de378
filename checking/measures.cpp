#include "checking/measures.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "content/text260.h"

namespace {

constexpr char Blank = ' ';

// Never looks further than a Text260 holds.
std::size_t boundedLength(const char* text) {
    std::size_t n = 0;
    while (n < TextMaxLength && text[n] != '\0') ++n;
    return n;
}

}  // namespace

void trimBlanks(char* text) {
    std::size_t end = boundedLength(text);
    while (end > 0 && text[end - 1] == Blank) --end;
    std::size_t start = 0;
    while (start < end && text[start] == Blank) ++start;
    std::memmove(text, text + start, end - start);
    text[end - start] = '\0';
}

void upperAscii(char* text) {
    const std::size_t n = boundedLength(text);
    for (std::size_t i = 0; i < n; ++i)
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - ('a' - 'A'));
}

void sortLetters(char* text) {
    // Signed comparison: the upper half of code page 1252 sorts first. Only
    // equality of two sorted texts matters, so any fixed order would do.
    const std::size_t n = boundedLength(text);
    std::sort(text, text + n, [](char a, char b) {
        return static_cast<signed char>(a) < static_cast<signed char>(b);
    });
}

int editDistance(const char* a, const char* b) {
    const std::size_t n = boundedLength(a);
    const std::size_t m = boundedLength(b);
    if (n == 0) return static_cast<int>(m);
    if (m == 0) return static_cast<int>(n);

    // One row of the (n + 1) x (m + 1) table at a time.
    int row[Text260Size];
    for (std::size_t j = 0; j <= m; ++j) row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= n; ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= m; ++j) {
            const int above = row[j];
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + cost});
            diagonal = above;
        }
    }
    return row[m];
}

int containment(const char* expected, const char* typed) {
    const std::string_view exp(expected, boundedLength(expected));
    const std::string_view typ(typed, boundedLength(typed));
    const bool typedShorter = typ.size() < exp.size();
    const int sign = typedShorter ? -1 : 1;
    const std::string_view shortText = typedShorter ? typ : exp;
    const std::string_view longText = typedShorter ? exp : typ;
    if (shortText.empty()) return sign;
    // Every start position is tried, so an occurrence that overlaps a failed
    // partial match ('ABAC' in 'ABABAC') is found.
    return longText.find(shortText) != std::string_view::npos ? 2 * sign : 0;
}
