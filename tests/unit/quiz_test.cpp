#include "content/quiz.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(Quiz, ConstructedRecordHoldsTheDefaults) {
    Quiz quiz;
    EXPECT_EQ(quiz.kind, KindText);
    EXPECT_EQ(quiz.title, "nom du zelto");
    EXPECT_EQ(quiz.author, " createur");
    EXPECT_TRUE(quiz.subtitle.empty());
    EXPECT_TRUE(quiz.answerCaption1.empty());
    EXPECT_TRUE(quiz.answerCaption2.empty());
    EXPECT_EQ(quiz.questionCount, 2);
    EXPECT_EQ(quiz.answersPerQuestion, 1);
    for (const Text260& code : quiz.rewardCodes) EXPECT_TRUE(code.empty());
    EXPECT_EQ(quiz.hintMode, HintNone);
    EXPECT_EQ(quiz.quizSolved, 0);
    EXPECT_EQ(quiz.backgroundRed, 90);
    EXPECT_EQ(quiz.backgroundGreen, 95);
    EXPECT_EQ(quiz.backgroundBlue, 150);
    EXPECT_EQ(quiz.mediaDirectory[0], '\0');
    EXPECT_EQ(quiz.entries.first, nullptr);
    EXPECT_EQ(quiz.entries.last, nullptr);
}

TEST(QuestionList, EntryAtOnAnEmptyListIsNone) {
    QuestionList list;
    for (int32_t index : {0, 1, 95, -1, INT32_MIN, INT32_MAX}) EXPECT_EQ(list.entryAt(index), nullptr);
}

TEST(QuestionList, EntryAtGivesTheIndexedEntryOrTheLast) {
    QuestionList list;
    QuestionEntry* a = list.append("A1", "", "first");
    QuestionEntry* b = list.append("B1", "B2", "second");
    QuestionEntry* c = list.append("C1", "", "third");

    EXPECT_EQ(list.first, a);
    EXPECT_EQ(list.last, c);
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next, c);
    EXPECT_EQ(c->next, nullptr);

    const struct {
        int32_t index;
        QuestionEntry* entry;
    } cases[] = {{0, a}, {1, b}, {2, c}, {3, c}, {5, c}, {INT32_MAX, c}, {-1, c}, {INT32_MIN, c}};
    for (const auto& t : cases) EXPECT_EQ(list.entryAt(t.index), t.entry) << "index " << t.index;
}

TEST(QuestionList, AppendCopiesTheTextsAndLeavesTheHintEmpty) {
    QuestionList list;
    QuestionEntry* entry = list.append("PARIS", "FRANCE", "Capitale ?");
    EXPECT_EQ(entry->answer1, "PARIS");
    EXPECT_EQ(entry->answer2, "FRANCE");
    EXPECT_EQ(entry->label, "Capitale ?");
    EXPECT_TRUE(entry->hint.empty());
}

TEST(QuestionList, AppendCutsTextsTo259Bytes) {
    QuestionList list;
    const std::string longText(400, 'x');
    QuestionEntry* entry = list.append(longText, longText, longText);
    EXPECT_EQ(entry->answer1.length(), TextMaxLength);
    EXPECT_EQ(entry->answer2.length(), TextMaxLength);
    EXPECT_EQ(entry->label.length(), TextMaxLength);
}

// The leak checker of the sanitizer build reports any node left behind.
TEST(QuestionList, ClearFreesEveryNodeAndTheListCanGrowAgain) {
    QuestionList list;
    for (int i = 0; i < 96; ++i) list.append("A", "", "Q");
    list.clear();
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.entryAt(0), nullptr);

    QuestionEntry* again = list.append("B", "", "R");
    EXPECT_EQ(list.first, again);
    EXPECT_EQ(list.last, again);
    EXPECT_EQ(list.entryAt(3), again);
}

TEST(QuestionList, DestroyingARecordWithEntriesFreesThem) {
    auto* quiz = new Quiz;
    quiz->entries.append("A", "", "Q1");
    quiz->entries.append("B", "", "Q2");
    delete quiz;
}
