#include "panel/answers_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> readLines(std::string_view bytes, int count) {
    AnswerLineReader reader(bytes);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(reader.readAnswerLine());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(AnswersFileName, LastThreeCharactersBecomeTxt) {
    struct Case {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\Quiz\\PLAYER.EXE", "PLAYER.txt"},
        {"C:\\Quiz\\Mon quiz.exe", "Mon quiz.txt"},
        {"C:\\a.b\\zelto", "zetxt"},          // no extension: still the last three
        {"PLAYER.EXE", "PLAYER.txt"},          // no folder
        {"C:\\Quiz\\ab", "txt"},               // too short to keep anything
        {"C:\\Quiz\\", "txt"},
        {"", "txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(answersFileName(c.path), c.name) << c.path;
}

TEST(AnswersFile, WriterBytes) {
    EXPECT_EQ(answersFileBytes({std::string("PARIS"), std::string(), std::string("LONDRES")}),
              std::string("PARIS\r\n\r\nLONDRES\r\n"));
    EXPECT_EQ(answersFileBytes({std::string("PARIS"), std::string(), std::string("LONDRES")}).size(),
              18u);
    // Slots without a box (a text quiz with two answers per question) are empty lines.
    EXPECT_EQ(answersFileBytes({std::string("A"), std::nullopt, std::nullopt}),
              std::string("A\r\n\r\n\r\n"));
    EXPECT_EQ(answersFileBytes({}), std::string());
    // Code page 1252 bytes go out untouched.
    EXPECT_EQ(answersFileBytes({std::string("\xE9t\xE9")}), std::string("\xE9t\xE9\r\n"));
}

TEST(AnswersFile, ReadsBackWhatWasWritten) {
    const Lines texts = {"PARIS", "", "LONDRES", "y a de l'id\xE9" "e", " blanks "};
    std::vector<std::optional<std::string>> slots(texts.begin(), texts.end());
    EXPECT_EQ(readLines(answersFileBytes(slots), 5), texts);
}

TEST(AnswersFile, LineEnds) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"crlf", "PARIS\r\n\r\nLONDRES\r\n", {"PARIS", "", "LONDRES", "", ""}},
        {"no final crlf", "PARIS\r\nLONDRES", {"PARIS", "LONDRES", "", "", ""}},
        {"final cr only", "PARIS\r\nLONDRES\r", {"PARIS", "LONDRES", "", "", ""}},
        {"lf only belongs to the text", "A\nB\nC\r\nD\r\n", {"A\nB\nC", "D", "", "", ""}},
        {"lf only to the end", "A\nB\n", {"A\nB\n", "", "", "", ""}},
        {"bytes between cr and lf skipped", "A\rjunk\nB\r\n", {"A", "B", "", "", ""}},
        {"cr without lf ends the file", "A\rjunk", {"A", "", "", "", ""}},
        {"empty file", "", {"", "", "", "", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(readLines(c.bytes, 5), c.lines) << c.name;
}

TEST(AnswersFile, ReaderStaysInsideTheBytes) {
    // The reader gets a view into a larger buffer: it must not look past it.
    const std::string buffer = "AB\r\nCD\r\n";
    AnswerLineReader reader(std::string_view(buffer).substr(0, 6));  // ends on the CR
    EXPECT_EQ(reader.readAnswerLine(), "AB");
    EXPECT_EQ(reader.readAnswerLine(), "CD");
    EXPECT_EQ(reader.readPosition(), 6u);
    EXPECT_EQ(reader.readAnswerLine(), "");
    EXPECT_EQ(reader.readPosition(), 6u);
}

TEST(AnswersFile, OverlongLineIsCutAndTheNextLineIsIntact) {
    const std::string longText(400, 'x');
    const std::string bytes = longText + "\r\nNEXT\r\n";
    const Lines lines = readLines(bytes, 2);
    EXPECT_EQ(lines[0], std::string(259, 'x'));
    EXPECT_EQ(lines[1], "NEXT");
    EXPECT_EQ(answersFileBytes({longText}), std::string(259, 'x') + "\r\n");
}

TEST(AnswersFile, TwoBoxesPerQuestionFollowSlotOrder) {
    // Line 2 is question 1's second box, line 3 question 2's first.
    const Lines lines = readLines("Q1A\r\nQ1B\r\nQ2A\r\nQ2B\r\n", 4);
    EXPECT_EQ(lines, (Lines{"Q1A", "Q1B", "Q2A", "Q2B"}));
}

}  // namespace
