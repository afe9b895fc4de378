#include "checking/verdict.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "checking/measures.h"
#include "content/text260.h"

namespace {

constexpr int MaxLengthForTooShort = 9;  // shorter answers are never "almost there"

// Reads no further than a Text260 holds; a longer text is cut to 259.
Text260 boundedCopy(const char* text) {
    std::size_t n = 0;
    while (n < TextMaxLength && text[n] != '\0') ++n;
    return Text260(std::string_view(text, n));
}

}  // namespace

const char* verdictFor(const char* expected, const char* typed) {
    Text260 want = boundedCopy(expected);
    Text260 got = boundedCopy(typed);
    trimBlanks(got.data());
    upperAscii(got.data());
    upperAscii(want.data());

    const int n = static_cast<int>(want.length());
    const int m = static_cast<int>(got.length());
    if (m == 0) return VerdictEmpty;
    const int d = editDistance(want.c_str(), got.c_str());
    if (d == 0) return VerdictRight;

    Text260 wantSorted = want;
    Text260 gotSorted = got;
    sortLetters(wantSorted.data());
    sortLetters(gotSorted.data());
    if (editDistance(wantSorted.c_str(), gotSorted.c_str()) == 0) return VerdictAnagram;

    if (d == 1) return VerdictOneOff;
    if (d == 2) return VerdictTwoOff;

    // The percentage thresholds as exact integer tests: 100m/n > 70, 100m/n > 50
    // and (L - d)100/L > 80. A value on a threshold does not pass it.
    const int found = containment(want.c_str(), got.c_str());
    if (found == ContainsTyped) {
        if (n <= MaxLengthForTooShort) return VerdictWrong;
        if (10 * m > 7 * n) return VerdictTooShort;
        if (2 * m > n) return VerdictNotFar;
        return VerdictWrong;
    }
    if (found == ContainsExpected) return VerdictTooLong;

    const int larger = std::max(n, m);
    if (larger > 5 * d) return VerdictSomeIdea;
    return VerdictWrong;
}

bool boxIsRight(const char* expected, const char* typed) {
    Text260 want = boundedCopy(expected);
    Text260 got = boundedCopy(typed);
    trimBlanks(got.data());
    upperAscii(got.data());
    upperAscii(want.data());
    return want.view() == got.view();
}
