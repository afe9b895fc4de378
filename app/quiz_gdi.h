#pragma once
// The Windows side of the quiz record: the fonts and brushes every panel
// draws with, and the header panel through which the score is shown. Owned
// by start-up beside the Quiz; each handle is released once.

#include <windows.h>

#include "content/quiz.h"

struct QuizGdi {
    HFONT answerFont = nullptr;
    HFONT scoreFont = nullptr;
    HFONT titleFont = nullptr;
    HBRUSH backgroundBrush = nullptr;
    HBRUSH wrongBrush = nullptr;
    HBRUSH rightBrush = nullptr;
    HBRUSH anagramBrush = nullptr;
    HBRUSH hintBrush = nullptr;
    HBRUSH questionBrush = nullptr;
    HWND headerPanel = nullptr;  // borrowed: start-up owns the header panel
};

// Score and title fonts and the six brushes, as a freshly constructed quiz has them.
void createQuizGdi(QuizGdi& gdi);
// Releases every font and brush that exists, once.
void destroyQuizGdi(QuizGdi& gdi);
// The answer boxes' font; the question panel makes it while it initialises.
void createAnswerFont(QuizGdi& gdi);
// Replaces the background brush with the quiz's colour, releasing the old one.
void setBackgroundBrush(QuizGdi& gdi, const Quiz& quiz);

// The one quiz of the process and its drawing companion; set by start-up
// before loading, valid until the teardown.
extern Quiz* currentQuiz;
extern QuizGdi* currentGdi;
