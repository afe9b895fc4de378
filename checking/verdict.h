#pragma once
// Judging one typed answer against its expected answer. Pure: the player's
// evaluation and the builder's --try call the same function.

// The complete set of verdict words, exactly as the verdict labels show them
// (code page 1252).
inline constexpr const char* VerdictEmpty = "?";
inline constexpr const char* VerdictRight = "BRAVO";
inline constexpr const char* VerdictAnagram = "Anagramme";
inline constexpr const char* VerdictOneOff = "Quasiment";
inline constexpr const char* VerdictTwoOff = "Presque";
inline constexpr const char* VerdictTooLong = "Trop long";
inline constexpr const char* VerdictTooShort = "Trop court";
inline constexpr const char* VerdictNotFar = "pas loin";
inline constexpr const char* VerdictSomeIdea = "y a de l'id\xE9" "e";
inline constexpr const char* VerdictWrong = "FAUX";

// `typed` is trimmed and upper-cased, `expected` upper-cased only (a blank
// stored at either end of an expected answer must be matched). Texts longer
// than 259 characters are cut first. Returns one of the words above.
const char* verdictFor(const char* expected, const char* typed);

// Whether one box counts towards a right question: the typed text, trimmed
// and upper-cased, equals the upper-cased expected answer.
bool boxIsRight(const char* expected, const char* typed);
