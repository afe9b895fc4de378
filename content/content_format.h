#pragma once
// The decoded layout of the two content resources: "PATCH" 104 (the quiz)
// and "PATCH" 105 (reward codes, one CR LF line per score). The parser is
// bounded by the decoded length and all-or-nothing; the writer produces
// exactly what the parser reads. Used by the player and the builder alike.

#include <cstdint>
#include <string>
#include <vector>

#include "content/quiz.h"

struct ContentQuestion {
    std::string answer1;
    std::string answer2;     // empty in a one-answer quiz
    std::string label;
    std::string hint;        // hint modes 2, 3 and 4
    std::string secondHint;  // carried by hint mode 3, not shown by the player
};

bool operator==(const ContentQuestion& a, const ContentQuestion& b);

// Everything the content resource holds, field for field.
struct QuizContent {
    uint8_t leadByte = 0;  // byte 0, never read by the player
    int32_t kind = KindText;
    int32_t answersPerQuestion = 1;
    std::string title;
    std::string author;
    std::string subtitle;
    std::string answerCaption1;
    std::string answerCaption2;
    std::vector<ContentQuestion> questions;
    uint8_t hintMode = HintNone;
    uint8_t red = 90;
    uint8_t green = 95;
    uint8_t blue = 150;
};

bool operator==(const QuizContent& a, const QuizContent& b);

enum class ContentError {
    None,
    Truncated,         // ends before an expected '|', CR or fixed byte
    TooManyQuestions,  // more than MaxQuestions
    BadKind,           // kind byte outside 1..4
    BadAnswerCount,    // answers per question other than 1 or 2
    BadField,          // writing only: a text holds its separator or a zero
                       // byte, or is longer than 259 bytes
};

// Fields and code lines longer than 259 bytes are cut to 259; zero bytes add
// nothing. On failure `content` is left untouched.
ContentError parseQuizContent(const uint8_t* bytes, std::size_t length, QuizContent& content);

// Reads `count` CR-ended lines (each followed by one byte that is stepped
// over). Fails with Truncated when the bytes end first; `codes` untouched then.
ContentError parseRewardCodes(const uint8_t* bytes, std::size_t length, int32_t count,
                              std::vector<std::string>& codes);

// Whether the writers can lay the content out so that the parser reads back
// exactly the same texts: None, or the first problem found. Texts that the
// layout does not carry are not looked at (answer2 of a one-answer quiz, hints
// outside hint modes 2 to 4, secondHint outside hint mode 3).
ContentError checkQuizContent(const QuizContent& content);
ContentError checkRewardCodes(const std::vector<std::string>& codes);

// The exact layout the parsers read. Texts the layout does not carry (see
// checkQuizContent) are left out. Content that its check rejects is refused:
// the result is then empty, which no quiz content is and which the parser
// reads as Truncated for any code count above 0, so a refused write can never
// be read back as something else.
std::vector<uint8_t> writeQuizContent(const QuizContent& content);
std::vector<uint8_t> writeRewardCodes(const std::vector<std::string>& codes);

// Fills a freshly constructed Quiz from parsed content (kind, texts, counts,
// entries with hints, hint mode, colour); the reward codes go in with
// applyRewardCodes.
void applyQuizContent(const QuizContent& content, Quiz& quiz);
void applyRewardCodes(const std::vector<std::string>& codes, Quiz& quiz);
