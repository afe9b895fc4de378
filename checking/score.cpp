#include "checking/score.h"

#include <cstdio>

namespace {

constexpr const char* NoCodeText = "      ";  // six blanks: blanks the code display
constexpr const char* RightWord = "BRAVO";

}  // namespace

int countScore(int questionCount, int answersPerQuestion,
               const std::function<std::string(int slot)>& verdictOf) {
    // A question without boxes is never right.
    if (answersPerQuestion < 1) return 0;
    int score = 0;
    for (int q = 1; q <= questionCount; ++q) {
        int right = 0;
        for (int k = 1; k <= answersPerQuestion; ++k)
            if (verdictOf((q - 1) * answersPerQuestion + k) == RightWord) ++right;
        if (right == answersPerQuestion) ++score;
    }
    return score;
}

std::string scoreText(int score, int questionCount) {
    char text[32];
    std::snprintf(text, sizeof text, " %d / %d", score, questionCount);
    return text;
}

std::string rewardCodeText(const Quiz& quiz, int score) {
    if (score <= 0) return NoCodeText;
    if (score > MaxQuestions) return {};
    return quiz.rewardCodes[score - 1].c_str();
}
