#include "checking/measures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

template <void (*Op)(char*)>
std::string applied(std::string text) {
    Op(text.data());
    return text.c_str();
}

}  // namespace

TEST(Measures, TrimBlanksRemovesOnlyOuterBlanks) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"  a  b  ", "a  b"}, {"   ", ""},         {"", ""},           {"x", "x"},
        {" x", "x"},          {"x ", "x"},         {"\ta ", "\ta"},    {"a\t", "a\t"},
        {"\xA0x ", "\xA0x"},  {" a b c ", "a b c"},
    };
    for (const auto& t : cases) EXPECT_EQ(applied<trimBlanks>(t.in), t.out) << '[' << t.in << ']';
}

TEST(Measures, UpperAsciiTouchesOnlyAsciiLetters) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"\xE9t\xE9", "\xE9T\xE9"},  // 'été' -> 'éTé'
        {"\xE7" "a", "\xE7" "A"},     // 'ça' -> 'çA'
        {"az09!{@`", "AZ09!{@`"},    // the bytes around a..z stay
        {"\x9C\xFF\xE0", "\x9C\xFF\xE0"},
        {"", ""},
    };
    for (const auto& t : cases) EXPECT_EQ(applied<upperAscii>(t.in), t.out) << t.in;
}

TEST(Measures, SortLettersOrdersBytesAsSignedValues) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"PARIS", "AIPRS"},
        {"A\xC9", "\xC9" "A"},  // 'AÉ' -> 'ÉA': the upper half sorts first
        {"a \x80" "1", "\x80 1a"},
        {"", ""},
        {"x", "x"},
        {"BBAA", "AABB"},
    };
    for (const auto& t : cases) EXPECT_EQ(applied<sortLetters>(t.in), t.out) << t.in;
    EXPECT_EQ(applied<sortLetters>("LA MER"), applied<sortLetters>("MER LA"));
}

TEST(Measures, EditDistance) {
    const std::string full259(259, 'A');
    const struct {
        std::string a, b;
        int distance;
    } cases[] = {
        {"", "ABC", 3},
        {"ABC", "", 3},
        {"", "", 0},
        {"PARIS", "PARI", 1},
        {"\xC9T\xC9", "\xE9T\xE9", 2},  // 'ÉTÉ' and 'éTé': bytes compared exactly
        {"KITTEN", "SITTING", 3},
        {"ABC", "ABC", 0},
        {"ABC", "abc", 3},
        {"LA JOCONDE", "JOCONDE LA", 6},
        {full259, std::string(259, 'B'), 259},
        {full259, full259, 0},
        {std::string(300, 'A'), full259, 0},  // longer texts are cut to 259
    };
    for (const auto& t : cases) {
        EXPECT_EQ(editDistance(t.a.c_str(), t.b.c_str()), t.distance) << t.a << " / " << t.b;
        EXPECT_EQ(editDistance(t.b.c_str(), t.a.c_str()), t.distance) << t.b << " / " << t.a;
    }
}

TEST(Measures, ContainmentFindsEveryOccurrence) {
    const struct {
        std::string expected, typed;
        int code;
    } cases[] = {
        {"PARIS", "PARIS FRANCE", 2},
        {"PARIS", "PAR", -2},
        {"PARIS", "PARIS", 2},
        {"PARIS", "PARSI", 0},
        {"PARIS", "RIS", -2},
        {"PARIS", "XPARI", 0},
        {"", "ABC", 1},
        {"ABC", "", -1},
        {"", "", 1},
        // Occurrences that start inside a failed partial match.
        {"ABABAC", "ABAC", -2},
        {"AAAB", "AAB", -2},
        {"ABAC", "XABABACX", 2},
        {"ABABAC DEFG", "ABAC DE", -2},
    };
    for (const auto& t : cases)
        EXPECT_EQ(containment(t.expected.c_str(), t.typed.c_str()), t.code)
            << t.expected << " / " << t.typed;
}
