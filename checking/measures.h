#pragma once
// The five text measures of answer checking. Single-byte texts of at most
// 259 characters (code page 1252), byte by byte; no allocation survives a call.
// A text is never read past its 259th character: a longer one is measured as
// its first 259, and the in-place measures end it there (within a Text260).

// Removes leading and trailing blanks (0x20 only), in place.
void trimBlanks(char* text);
// a..z to A..Z, in place; accented letters are left alone.
void upperAscii(char* text);
// Exchange sort of the bytes, compared as signed 8-bit values, in place.
void sortLetters(char* text);
// Levenshtein distance with unit costs.
int editDistance(const char* a, const char* b);

// Containment codes: magnitude 2 found, 0 not found, 1 the shorter text is
// empty; negative when the typed text is shorter than the expected one. Every
// start position is tried, so an occurrence overlapping a failed partial match
// ('ABAC' in 'ABABAC') is found.
constexpr int ContainsTyped = -2;    // the typed text was found inside the expected one
constexpr int ContainsExpected = 2;  // the typed text contains the expected one
int containment(const char* expected, const char* typed);
