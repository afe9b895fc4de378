#pragma once
// Counting the score from the verdict labels: a question counts when every
// one of its boxes reads "BRAVO".

#include <functional>
#include <string>

#include "content/quiz.h"

// verdictOf(slot) gives the text of the verdict label of AnswerSlot `slot`
// (1-based); a missing label reads as empty.
int countScore(int questionCount, int answersPerQuestion,
               const std::function<std::string(int slot)>& verdictOf);

// " %d / %d", as the header's score display shows it.
std::string scoreText(int score, int questionCount);
// The reward code of `score`, or six blanks for a score of 0.
std::string rewardCodeText(const Quiz& quiz, int score);
