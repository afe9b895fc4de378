#pragma once
// The one in-memory quiz. A plain record: every part of the player reads its
// fields directly. Fonts, brushes and window handles are Windows things and
// live beside it in the player (app/quiz_gdi.h).

#include <cstdint>
#include <string_view>

#include "content/text260.h"

enum QuizKind : int32_t {
    KindText = 0,
    KindPicture = 1,
    KindSound = 2,
    KindVideo = 3,
};

enum HintMode : int32_t {
    HintNone = 0,
    HintAnswerPicture = 1,   // a right question swaps in its answer picture
    HintShowLabel = 2,       // a right question shows its hint
    HintShowMessage = 3,     // ... and the hint again in a message box
    HintAllAtEnd = 4,        // all hints once the whole quiz is right
};

constexpr int32_t MaxQuestions = 96;

struct QuestionEntry {
    Text260 answer1;
    Text260 answer2;
    Text260 label;
    Text260 hint;
    QuestionEntry* next = nullptr;
};

// Owns its nodes; entries are only ever appended.
struct QuestionList {
    QuestionEntry* first = nullptr;
    QuestionEntry* last = nullptr;

    QuestionList() = default;
    QuestionList(const QuestionList&) = delete;
    QuestionList& operator=(const QuestionList&) = delete;
    ~QuestionList() { clear(); }

    QuestionEntry* append(std::string_view answer1, std::string_view answer2, std::string_view label);
    // The entry with 0-based index k, or the last entry when the list is
    // shorter; none for an empty list. The index is taken as unsigned, so a
    // negative one also gives the last entry.
    QuestionEntry* entryAt(int32_t index) const;
    void clear();
};

struct Quiz {
    int32_t kind = KindText;
    Text260 title{"nom du zelto"};
    Text260 author{" createur"};
    Text260 subtitle;
    Text260 answerCaption1;
    Text260 answerCaption2;
    int32_t questionCount = 2;
    int32_t answersPerQuestion = 1;
    Text260 rewardCodes[MaxQuestions];
    int32_t hintMode = HintNone;
    int32_t quizSolved = 0;
    uint8_t backgroundRed = 90;
    uint8_t backgroundBlue = 150;
    uint8_t backgroundGreen = 95;
    char mediaDirectory[512] = {};
    QuestionList entries;
};
