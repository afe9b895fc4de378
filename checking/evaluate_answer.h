#pragma once
// Judging an answer box in the question panel, and the score in the header.

#include <windows.h>

#include "content/quiz.h"

// Writes the verdict word into label editId + 1000, applies the hint mode,
// then refreshes the score.
void evaluateAnswer(Quiz& quiz, HWND panel, int editId);
// Recounts the verdict labels reading "BRAVO"; writes the score and the
// reward code into header controls 32 and 30.
void updateScore(const Quiz& quiz, HWND panel);
