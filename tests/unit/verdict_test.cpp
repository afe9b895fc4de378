#include "checking/verdict.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct VerdictCase {
    std::string expected;
    std::string typed;
    std::string verdict;
};

}  // namespace

TEST(Verdict, RulesInOrder) {
    const std::string idea = VerdictSomeIdea;
    const VerdictCase cases[] = {
        // Nothing typed.
        {"Paris", "", "?"},
        {"Paris", "   ", "?"},
        // Typed texts are trimmed and upper-cased.
        {"Paris", "paris ", "BRAVO"},
        {"Paris", "  PARIS", "BRAVO"},
        {"Paris", "sirap", "Anagramme"},
        {"Paris", "pari", "Quasiment"},
        {"Paris", "par", "Presque"},
        // Found inside, but the expected answer is 9 characters or fewer.
        {"Paris", "pa", "FAUX"},
        {"ABCDEFGHI", "ABCDEF", "FAUX"},
        {"Paris", "Paris France", "Trop long"},
        // Length ratios of a typed piece of a long answer.
        {"Tour Eiffel", "Tour Eif", "Trop court"},  // 72.7 %
        {"Tour Eiffel", "Tour Ei", "pas loin"},     // 63.6 %
        {"Tour Eiffel", "Eiffel", "pas loin"},      // 54.5 %
        {"Tour Eiffel", "Tour", "FAUX"},            // 36.4 %
        {"ABCDEFGHIJ", "ABCDEFG", "pas loin"},      // exactly 70 %
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNO", "Trop court"},  // 75 %
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMN", "pas loin"},     // exactly 70 %
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJK", "pas loin"},        // 55 %
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJ", "FAUX"},             // exactly 50 %
        // Similarity (L - d) / L.
        {"Le Penseur de Rodin", "La Penseuse de Rodin", idea},  // 85 %
        {"Le Penseur de Rodin", "Le Penceur de Rauden", "FAUX"},  // exactly 80 %
        {"ABCDEFGHIJKLMNO", "ABCXEFGXIJKXMNO", "FAUX"},           // exactly 80 %
        {"ABCDEFGHIJKLMNOP", "ABCXEFGXIJKXMNOP", idea},           // 81.25 %
        // Accented letters are not folded; expected answers are not trimmed.
        {"\xE9t\xE9", "\xE9T\xE9", "BRAVO"},
        {"\xE9t\xE9", "\xC9T\xC9", "Presque"},
        {"Paris ", "Paris", "Quasiment"},
        {" Paris", "paris", "Quasiment"},
        {"La Joconde", "Joconde La", "Anagramme"},
        // An occurrence that overlaps a failed partial match is still found.
        {"ABABAC DEFG", "ABAC DE", "pas loin"},
        {"AAAB XYZUVW", "AAB XYZ", "pas loin"},
        // An empty expected answer is never right.
        {"", "A", "Quasiment"},
        {"", "AB", "Presque"},
        {"", "ABC", "FAUX"},
        // Texts longer than 259 characters are cut first.
        {std::string(300, 'A'), std::string(259, 'a'), "BRAVO"},
        {std::string(259, 'A'), std::string(400, 'A'), "BRAVO"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(verdictFor(t.expected.c_str(), t.typed.c_str()), t.verdict)
            << "expected [" << t.expected << "] typed [" << t.typed << "]";
}

TEST(Verdict, WordsAreTheLabelTexts) {
    EXPECT_STREQ(VerdictSomeIdea, "y a de l'id\xE9" "e");
    const char* words[] = {VerdictEmpty,  VerdictRight,   VerdictAnagram, VerdictOneOff,
                           VerdictTwoOff, VerdictTooLong, VerdictTooShort, VerdictNotFar,
                           VerdictSomeIdea, VerdictWrong};
    const char* expected[] = {"?", "BRAVO", "Anagramme", "Quasiment", "Presque", "Trop long",
                              "Trop court", "pas loin", ("y a de l'id\xE9" "e"), "FAUX"};
    for (int i = 0; i < 10; ++i) EXPECT_STREQ(words[i], expected[i]);
}

TEST(Verdict, BoxIsRightComparesTrimmedUpperCasedTexts) {
    const struct {
        std::string expected, typed;
        bool right;
    } cases[] = {
        {"Paris", " paris ", true},
        {"Paris", "PARIS", true},
        {"Paris ", "Paris", false},  // expected answers are not trimmed
        {"\xE9t\xE9", "\xC9T\xC9", false},
        {"Paris", "SIRAP", false},
        {"Paris", "Pari", false},
        {"", "  ", true},
        {std::string(300, 'a'), std::string(259, 'A'), true},
    };
    for (const auto& t : cases)
        EXPECT_EQ(boxIsRight(t.expected.c_str(), t.typed.c_str()), t.right)
            << "expected [" << t.expected << "] typed [" << t.typed << "]";
}
