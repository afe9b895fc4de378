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

// While the question panel builds itself every box is judged once or twice;
// recounting every label after each of those judgements made start-up grow
// with the square of the number of boxes. Between these two calls the score
// is counted once, at the end, if anything was judged meanwhile.
void deferScoreUpdates();
void resumeScoreUpdates(const Quiz& quiz, HWND panel);
