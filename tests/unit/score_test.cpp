#include "checking/score.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Verdict labels by AnswerSlot; a slot not in the map reads as empty.
std::function<std::string(int)> labels(std::map<int, std::string> bySlot) {
    return [bySlot](int slot) {
        auto found = bySlot.find(slot);
        return found == bySlot.end() ? std::string() : found->second;
    };
}

std::map<int, std::string> allRight(int slots) {
    std::map<int, std::string> bySlot;
    for (int s = 1; s <= slots; ++s) bySlot[s] = "BRAVO";
    return bySlot;
}

}  // namespace

TEST(Score, CountsQuestionsWhoseEveryBoxReadsBravo) {
    auto nineRight = allRight(10);
    nineRight[4] = "FAUX";
    auto twoAnswerHalf = allRight(6);
    twoAnswerHalf[4] = "Presque";  // second box of question 2
    auto secondBoxOnly = allRight(2);
    secondBoxOnly[1] = "?";

    const struct {
        const char* name;
        int questionCount, answersPerQuestion;
        std::map<int, std::string> bySlot;
        int score;
    } cases[] = {
        {"none right", 10, 1, {}, 0},
        {"all right", 10, 1, allRight(10), 10},
        {"one changed to wrong", 10, 1, nineRight, 9},
        {"two answers, both right", 3, 2, allRight(6), 3},
        {"two answers, one box of three off", 3, 2, twoAnswerHalf, 2},
        {"two answers, only the second box right", 1, 2, secondBoxOnly, 0},
        {"other words are not right", 7, 1,
         {{1, "Anagramme"}, {2, "Quasiment"}, {3, "?"}, {4, "bravo"}, {5, "BRAVO "}, {6, "y a de l'id\xE9" "e"},
          {7, "BRAVO"}},
         1},
        {"labels beyond the questions are not read", 2, 1, allRight(5), 2},
        {"no questions", 0, 1, allRight(2), 0},
        {"no boxes per question", 2, 0, allRight(2), 0},
    };
    for (const auto& t : cases)
        EXPECT_EQ(countScore(t.questionCount, t.answersPerQuestion, labels(t.bySlot)), t.score) << t.name;
}

TEST(Score, ReadsTheSlotsOfEachQuestion) {
    std::vector<int> read;
    countScore(2, 2, [&read](int slot) {
        read.push_back(slot);
        return std::string("BRAVO");
    });
    EXPECT_EQ(read, (std::vector<int>{1, 2, 3, 4}));
}

TEST(Score, ScoreText) {
    EXPECT_EQ(scoreText(0, 10), " 0 / 10");
    EXPECT_EQ(scoreText(3, 10), " 3 / 10");
    EXPECT_EQ(scoreText(10, 10), " 10 / 10");
    EXPECT_EQ(scoreText(0, 0), " 0 / 0");
}

TEST(Score, RewardCodeOfTheScore) {
    Quiz quiz;
    quiz.questionCount = 10;
    for (int i = 0; i < 10; ++i) quiz.rewardCodes[i].assign("CODE" + std::to_string(i + 1));
    EXPECT_EQ(rewardCodeText(quiz, 0), "      ");
    EXPECT_EQ(rewardCodeText(quiz, 1), "CODE1");
    EXPECT_EQ(rewardCodeText(quiz, 9), "CODE9");
    EXPECT_EQ(rewardCodeText(quiz, 10), "CODE10");
    EXPECT_EQ(rewardCodeText(quiz, MaxQuestions + 1), "");
}
