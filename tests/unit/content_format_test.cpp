#include "content/content_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

ContentError parse(const Bytes& bytes, QuizContent& content) {
    return parseQuizContent(bytes.data(), bytes.size(), content);
}

// A content that no parse result can be mistaken for.
QuizContent sentinel() {
    QuizContent content;
    content.leadByte = 0xEE;
    content.title = "untouched";
    content.questions.resize(3);
    content.red = content.green = content.blue = 1;
    return content;
}

// A text quiz of two questions, one answer box each, hint mode 2.
const std::string WorkedLayout = std::string("\x07\x01\x02\x01", 4) +
                                 "Capitales|Moi|Europe|||"
                                 "PARIS|Capitale de la France ?|"
                                 "TOKYO|Capitale du Japon ?|"
                                 "\x02"
                                 "Tour Eiffel|Mont Fuji|"
                                 "\x5A\x5F\x96";

// A video quiz, two answers per question, hint mode 3: every kind of item.
const std::string FullLayout = std::string("\x00\x04\x02\x02", 4) +
                               "Films|Auteur|Sous-titre|Titre|Annee|"
                               "ALIEN|1979|Le huitieme passager|"
                               "BRAZIL|1985|Sam Lowry|"
                               "\x03"
                               "Ridley Scott|vu 3 fois|Terry Gilliam||" +
                               std::string("\xFF\x00\x00", 3);

}  // namespace

TEST(ContentFormat, WorkedLayoutParsesAndFillsTheQuiz) {
    QuizContent content;
    ASSERT_EQ(parse(bytesOf(WorkedLayout), content), ContentError::None);
    EXPECT_EQ(content.leadByte, 0x07);
    EXPECT_EQ(content.kind, KindText);
    EXPECT_EQ(content.answersPerQuestion, 1);
    EXPECT_EQ(content.title, "Capitales");
    EXPECT_EQ(content.author, "Moi");
    EXPECT_EQ(content.subtitle, "Europe");
    EXPECT_EQ(content.answerCaption1, "");
    EXPECT_EQ(content.answerCaption2, "");
    ASSERT_EQ(content.questions.size(), 2u);
    EXPECT_TRUE((content.questions[0] == ContentQuestion{"PARIS", "", "Capitale de la France ?", "Tour Eiffel", ""}));
    EXPECT_TRUE((content.questions[1] == ContentQuestion{"TOKYO", "", "Capitale du Japon ?", "Mont Fuji", ""}));
    EXPECT_EQ(content.hintMode, HintShowLabel);
    EXPECT_EQ(content.red, 90);
    EXPECT_EQ(content.green, 95);
    EXPECT_EQ(content.blue, 150);

    Quiz quiz;
    applyQuizContent(content, quiz);
    EXPECT_EQ(quiz.kind, KindText);
    EXPECT_EQ(quiz.questionCount, 2);
    EXPECT_EQ(quiz.answersPerQuestion, 1);
    EXPECT_EQ(quiz.title, "Capitales");
    EXPECT_EQ(quiz.author, "Moi");
    EXPECT_EQ(quiz.subtitle, "Europe");
    EXPECT_TRUE(quiz.answerCaption1.empty());
    EXPECT_TRUE(quiz.answerCaption2.empty());
    EXPECT_EQ(quiz.hintMode, HintShowLabel);
    const QuestionEntry* first = quiz.entries.entryAt(0);
    const QuestionEntry* second = quiz.entries.entryAt(1);
    ASSERT_NE(first, second);
    EXPECT_EQ(first->answer1, "PARIS");
    EXPECT_TRUE(first->answer2.empty());
    EXPECT_EQ(first->label, "Capitale de la France ?");
    EXPECT_EQ(first->hint, "Tour Eiffel");
    EXPECT_EQ(second->answer1, "TOKYO");
    EXPECT_EQ(second->label, "Capitale du Japon ?");
    EXPECT_EQ(second->hint, "Mont Fuji");
    EXPECT_EQ(second->next, nullptr);
    EXPECT_EQ(quiz.backgroundRed, 90);
    EXPECT_EQ(quiz.backgroundGreen, 95);
    EXPECT_EQ(quiz.backgroundBlue, 150);
}

TEST(ContentFormat, WriterReproducesTheWorkedLayoutByteForByte) {
    QuizContent content;
    ASSERT_EQ(parse(bytesOf(WorkedLayout), content), ContentError::None);
    EXPECT_EQ(writeQuizContent(content), bytesOf(WorkedLayout));
}

TEST(ContentFormat, TwoAnswerQuizKeepsEveryItem) {
    QuizContent content;
    ASSERT_EQ(parse(bytesOf(FullLayout), content), ContentError::None);
    EXPECT_EQ(content.kind, KindVideo);
    EXPECT_EQ(content.answersPerQuestion, 2);
    EXPECT_EQ(content.answerCaption1, "Titre");
    EXPECT_EQ(content.answerCaption2, "Annee");
    ASSERT_EQ(content.questions.size(), 2u);
    EXPECT_TRUE((content.questions[0] == ContentQuestion{"ALIEN", "1979", "Le huitieme passager", "Ridley Scott", "vu 3 fois"}));
    EXPECT_TRUE((content.questions[1] == ContentQuestion{"BRAZIL", "1985", "Sam Lowry", "Terry Gilliam", ""}));
    EXPECT_EQ(content.red, 255);
    EXPECT_EQ(content.green, 0);
    EXPECT_EQ(content.blue, 0);
    EXPECT_EQ(writeQuizContent(content), bytesOf(FullLayout));

    Quiz quiz;
    applyQuizContent(content, quiz);
    EXPECT_EQ(quiz.kind, KindVideo);
    EXPECT_EQ(quiz.answersPerQuestion, 2);
    EXPECT_EQ(quiz.entries.entryAt(0)->answer2, "1979");
    EXPECT_EQ(quiz.entries.entryAt(1)->hint, "Terry Gilliam");
}

// The hint section depends on the hint mode: modes 2 and 4 carry one field per
// question, mode 3 two, every other mode none, so the colour bytes follow the
// mode byte directly.
TEST(ContentFormat, HintSectionFollowsTheHintMode) {
    const std::string head = std::string("\x00\x02\x02\x01", 4) + "T|A|S|||" + "X|Q1|Y|Q2|";
    const std::string colour = "\x01\x02\x03";
    const struct {
        int mode;
        std::string section;
        std::string hint1, hint2, second1, second2;
    } cases[] = {
        {0, "", "", "", "", ""},
        {1, "", "", "", "", ""},
        {2, "h1|h2|", "h1", "h2", "", ""},
        {3, "h1|s1|h2|s2|", "h1", "h2", "s1", "s2"},
        {4, "h1|h2|", "h1", "h2", "", ""},
        {5, "", "", "", "", ""},
        {128, "", "", "", "", ""},
        {255, "", "", "", "", ""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE("hint mode " + std::to_string(t.mode));
        const Bytes bytes = bytesOf(head + char(t.mode) + t.section + colour);
        QuizContent content;
        ASSERT_EQ(parse(bytes, content), ContentError::None);
        EXPECT_EQ(content.hintMode, t.mode);
        EXPECT_EQ(content.questions[0].hint, t.hint1);
        EXPECT_EQ(content.questions[1].hint, t.hint2);
        EXPECT_EQ(content.questions[0].secondHint, t.second1);
        EXPECT_EQ(content.questions[1].secondHint, t.second2);
        EXPECT_EQ(content.red, 1);
        EXPECT_EQ(content.green, 2);
        EXPECT_EQ(content.blue, 3);

        // The writer lays out the same section, and leaves out hints the mode
        // does not carry.
        QuizContent withHints = content;
        for (ContentQuestion& question : withHints.questions) {
            if (question.hint.empty()) question.hint = "ignored";
            if (question.secondHint.empty() && t.mode != 3) question.secondHint = "ignored";
        }
        EXPECT_EQ(writeQuizContent(withHints), bytes);

        Quiz quiz;
        applyQuizContent(withHints, quiz);
        EXPECT_EQ(quiz.hintMode, t.mode);
        EXPECT_EQ(quiz.entries.entryAt(0)->hint, t.hint1);
        EXPECT_EQ(quiz.entries.entryAt(1)->hint, t.hint2);
    }
}

TEST(ContentFormat, QuizWithoutQuestionsReadsNoHintFields) {
    for (int mode : {0, 2, 3, 4}) {
        SCOPED_TRACE("hint mode " + std::to_string(mode));
        const Bytes bytes = bytesOf(std::string("\x00\x01\x00\x01", 4) + "T|A|S|||" + char(mode) + "\x0A\x0B\x0C");
        QuizContent content;
        ASSERT_EQ(parse(bytes, content), ContentError::None);
        EXPECT_TRUE(content.questions.empty());
        EXPECT_EQ(content.red, 0x0A);
        EXPECT_EQ(content.blue, 0x0C);
        EXPECT_EQ(writeQuizContent(content), bytes);

        Quiz quiz;
        applyQuizContent(content, quiz);
        EXPECT_EQ(quiz.questionCount, 0);
        EXPECT_EQ(quiz.entries.first, nullptr);
    }
    std::vector<std::string> codes{"stale"};
    EXPECT_EQ(parseRewardCodes(nullptr, 0, 0, codes), ContentError::None);
    EXPECT_TRUE(codes.empty());
    EXPECT_TRUE(writeRewardCodes({}).empty());
}

TEST(ContentFormat, BytesAfterTheColourAreNotRead) {
    QuizContent content;
    ASSERT_EQ(parse(bytesOf(WorkedLayout + "trailing|bytes"), content), ContentError::None);
    EXPECT_EQ(content.blue, 150);
}

TEST(ContentFormat, FieldsKeepEveryByteButZeroAndAreCutTo259) {
    const std::string longField(300, 'L');
    const std::string title("Ca\0pi\0tales\r\n\xE9t\xE9", 16);
    const Bytes bytes = bytesOf(std::string("\x00\x01\x01\x01", 4) + title + "|" + longField +
                                "|after||" + std::string("\0|R\0|", 5) + longField + "|" +
                                std::string("\x00\x00\x00\x00", 4));
    QuizContent content;
    ASSERT_EQ(parse(bytes, content), ContentError::None);
    EXPECT_EQ(content.title, "Capitales\r\n\xE9t\xE9");
    EXPECT_EQ(content.author, std::string(259, 'L'));
    EXPECT_EQ(content.subtitle, "after");  // the cut text's rest was skipped
    EXPECT_EQ(content.answerCaption1, "");
    EXPECT_EQ(content.answerCaption2, "");  // only a zero byte
    EXPECT_EQ(content.questions[0].answer1, "R");
    EXPECT_EQ(content.questions[0].label, std::string(259, 'L'));
    EXPECT_EQ(content.hintMode, 0);
}

TEST(ContentFormat, HeaderBytesOutsideTheRecordAreRefused) {
    const std::string rest = "T|A|S|||\x00\x01\x02\x03";
    const struct {
        const char* name;
        std::string header;
        ContentError error;
    } cases[] = {
        {"kind 0", std::string("\x00\x00\x00\x01", 4), ContentError::BadKind},
        {"kind 5", std::string("\x00\x05\x00\x01", 4), ContentError::BadKind},
        {"kind 255", std::string("\x00\xFF\x00\x01", 4), ContentError::BadKind},
        {"97 questions", std::string("\x00\x01\x61\x01", 4), ContentError::TooManyQuestions},
        {"255 questions", std::string("\x00\x01\xFF\x01", 4), ContentError::TooManyQuestions},
        {"0 answers", std::string("\x00\x01\x00\x00", 4), ContentError::BadAnswerCount},
        {"3 answers", std::string("\x00\x01\x00\x03", 4), ContentError::BadAnswerCount},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        QuizContent content = sentinel();
        EXPECT_EQ(parse(bytesOf(t.header + rest), content), t.error);
        EXPECT_TRUE(content == sentinel());
    }
}

TEST(ContentFormat, NinetySixQuestionsAreAccepted) {
    QuizContent content;
    content.questions.resize(MaxQuestions, ContentQuestion{"A", "", "Q", "", ""});
    const Bytes bytes = writeQuizContent(content);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[2], 96);
    QuizContent parsed;
    ASSERT_EQ(parse(bytes, parsed), ContentError::None);
    EXPECT_EQ(parsed.questions.size(), 96u);
}

// Content that ends anywhere before its last colour byte is broken, and the
// output keeps what it held.
TEST(ContentFormat, EveryTruncationIsReportedAndLeavesTheOutputAlone) {
    for (const std::string* layout : {&WorkedLayout, &FullLayout}) {
        const Bytes whole = bytesOf(*layout);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE("length " + std::to_string(length));
            QuizContent content = sentinel();
            EXPECT_EQ(parseQuizContent(whole.data(), length, content), ContentError::Truncated);
            EXPECT_TRUE(content == sentinel());
        }
    }
    QuizContent content = sentinel();
    EXPECT_EQ(parseQuizContent(nullptr, 10, content), ContentError::Truncated);
    EXPECT_TRUE(content == sentinel());
}

TEST(ContentFormat, RoundTripKeepsEveryText) {
    QuizContent content;
    content.leadByte = 0x5A;
    content.kind = KindSound;
    content.answersPerQuestion = 2;
    content.title = "Chansons d'\xE9t\xE9";
    content.author = " createur";
    content.subtitle = "ligne 1\r\nligne 2";
    content.answerCaption1 = "Artiste";
    content.answerCaption2 = "Titre";
    content.questions = {{"BREL", "AMSTERDAM", "Qui ?", "1964", "live"},
                         {"", "", "", "", ""},
                         {std::string(259, 'x'), "\xFF\x80", "\x7F", "", "second"}};
    content.hintMode = HintShowMessage;
    content.red = 0;
    content.green = 128;
    content.blue = 255;

    const Bytes bytes = writeQuizContent(content);
    ASSERT_FALSE(bytes.empty());
    QuizContent parsed;
    ASSERT_EQ(parse(bytes, parsed), ContentError::None);
    EXPECT_TRUE(parsed == content);
}

TEST(ContentFormat, WriterRefusesWhatTheParserWouldReadDifferently) {
    const struct {
        const char* name;
        void (*spoil)(QuizContent&);
        ContentError error;
    } cases[] = {
        {"kind -1", [](QuizContent& c) { c.kind = -1; }, ContentError::BadKind},
        {"kind 4", [](QuizContent& c) { c.kind = 4; }, ContentError::BadKind},
        {"97 questions", [](QuizContent& c) { c.questions.resize(97); }, ContentError::TooManyQuestions},
        {"0 answers", [](QuizContent& c) { c.answersPerQuestion = 0; }, ContentError::BadAnswerCount},
        {"3 answers", [](QuizContent& c) { c.answersPerQuestion = 3; }, ContentError::BadAnswerCount},
        {"separator in title", [](QuizContent& c) { c.title = "a|b"; }, ContentError::BadField},
        {"260-byte label", [](QuizContent& c) { c.questions[0].label.assign(260, 'x'); }, ContentError::BadField},
        {"zero byte in answer", [](QuizContent& c) { c.questions[0].answer1.assign("a\0b", 3); }, ContentError::BadField},
        {"separator in hint", [](QuizContent& c) { c.hintMode = 4; c.questions[0].hint = "|"; }, ContentError::BadField},
        {"separator in second hint", [](QuizContent& c) { c.hintMode = 3; c.questions[0].secondHint = "|"; }, ContentError::BadField},
        {"separator in second answer", [](QuizContent& c) { c.answersPerQuestion = 2; c.questions[0].answer2 = "|"; }, ContentError::BadField},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        QuizContent content;
        content.questions.resize(1, ContentQuestion{"A", "", "Q", "", ""});
        t.spoil(content);
        EXPECT_EQ(checkQuizContent(content), t.error);
        EXPECT_TRUE(writeQuizContent(content).empty());
    }
}

TEST(ContentFormat, WriterIgnoresTextsTheLayoutDoesNotCarry) {
    QuizContent content;
    content.questions.resize(1, ContentQuestion{"A", "not|written", "Q", "not|written", "not|written"});
    content.hintMode = HintAnswerPicture;
    EXPECT_EQ(checkQuizContent(content), ContentError::None);
    EXPECT_FALSE(writeQuizContent(content).empty());
}

TEST(RewardCodes, LinesEndAtCrAndStepOverTheNextByte) {
    const struct {
        const char* name;
        std::string bytes;
        int32_t count;
        std::vector<std::string> codes;
    } cases[] = {
        {"CR LF lines", "AB12\r\nCD|34\r\n", 2, {"AB12", "CD|34"}},
        {"byte after CR is not LF", "AB\rXCD\r\n", 2, {"AB", "CD"}},
        {"byte after CR is a CR", "AB\r\rCD\r\n", 2, {"AB", "CD"}},
        {"empty line", "\r\nCD\r\n", 2, {"", "CD"}},
        {"zero bytes add nothing", std::string("A\0B\r\n\0\r\n", 8), 2, {"AB", ""}},
        {"LF inside a line is kept", "A\nB\r\n", 1, {"A\nB"}},
        {"final CR is the last byte", "AB\r\nCD\r", 2, {"AB", "CD"}},
        {"lines after the count are not read", "AB\r\nCD\r\n", 1, {"AB"}},
        {"negative count reads nothing", "AB\r\n", -1, {}},
        {"long line cut to 259", std::string(300, 'c') + "\r\nD\r\n", 2, {std::string(259, 'c'), "D"}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        const Bytes bytes = bytesOf(t.bytes);
        std::vector<std::string> codes{"stale"};
        ASSERT_EQ(parseRewardCodes(bytes.data(), bytes.size(), t.count, codes), ContentError::None);
        EXPECT_EQ(codes, t.codes);
    }
}

TEST(RewardCodes, ContentEndingEarlyIsRefusedAndLeavesTheCodesAlone) {
    const Bytes whole = bytesOf("AB\r\nCD\r\n");
    // Every length that cuts into the second line or before it: lengths up to
    // 6 lose the second CR; length 7 keeps it (its LF only is missing).
    for (std::size_t length = 0; length < 7; ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        std::vector<std::string> codes{"stale"};
        EXPECT_EQ(parseRewardCodes(whole.data(), length, 2, codes), ContentError::Truncated);
        EXPECT_EQ(codes, std::vector<std::string>{"stale"});
    }
    std::vector<std::string> codes{"stale"};
    EXPECT_EQ(parseRewardCodes(whole.data(), whole.size(), 3, codes), ContentError::Truncated);
    EXPECT_EQ(parseRewardCodes(whole.data(), whole.size(), 97, codes), ContentError::TooManyQuestions);
    EXPECT_EQ(codes, std::vector<std::string>{"stale"});
}

TEST(RewardCodes, RoundTripAndRefusals) {
    const std::vector<std::string> codes{"CODE-1", "", "x|y", std::string(259, 'z'), "\xE9t\xE9"};
    const Bytes bytes = writeRewardCodes(codes);
    EXPECT_EQ(bytes, bytesOf("CODE-1\r\n\r\nx|y\r\n" + std::string(259, 'z') + "\r\n\xE9t\xE9\r\n"));
    std::vector<std::string> parsed;
    ASSERT_EQ(parseRewardCodes(bytes.data(), bytes.size(), 5, parsed), ContentError::None);
    EXPECT_EQ(parsed, codes);

    const struct {
        const char* name;
        std::vector<std::string> codes;
        ContentError error;
    } refused[] = {
        {"CR in a code", {"A\rB"}, ContentError::BadField},
        {"zero byte in a code", {std::string("A\0B", 3)}, ContentError::BadField},
        {"260-byte code", {std::string(260, 'z')}, ContentError::BadField},
        {"97 codes", std::vector<std::string>(97, "C"), ContentError::TooManyQuestions},
    };
    for (const auto& t : refused) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(checkRewardCodes(t.codes), t.error);
        EXPECT_TRUE(writeRewardCodes(t.codes).empty());
    }
}

TEST(RewardCodes, ApplyFillsTheQuizCodesInOrder) {
    Quiz quiz;
    quiz.rewardCodes[5].assign("old");
    applyRewardCodes({"one", "two"}, quiz);
    EXPECT_EQ(quiz.rewardCodes[0], "one");
    EXPECT_EQ(quiz.rewardCodes[1], "two");
    EXPECT_TRUE(quiz.rewardCodes[5].empty());
}
