// The quiz source: reading, checking, the content layout it produces, the
// answer warnings, --try, and the TOML that --extract writes.

#include <gtest/gtest.h>

#include "builder/answer_warnings.h"
#include "builder/quiz_build.h"
#include "builder/toml_writer.h"
#include "builder/try_answer.h"
#include "builder_test_support.h"

namespace {

// Reads a source and encodes it, as a build does before media and player.
struct Checked {
    QuizSource source;
    Diagnostics diagnostics;
    QuizResources resources;
};

Checked check(const std::string& toml) {
    Checked c;
    c.source = readQuizSourceText(toml, "quiz.toml", ".", c.diagnostics);
    if (!c.source.content.questions.empty()) {
        warnAboutAnswers(c.source, c.diagnostics);
        encodeQuizResources(c.source, c.diagnostics, c.resources);
    }
    return c;
}

std::string allMessages(const Diagnostics& d) {
    std::string text;
    for (const Diagnostic& item : d.items) text += formatDiagnostic(item) + "\n";
    return text;
}

const char* const Capitales = R"(genre = "texte"
titre = "Capitales"
auteur = "Moi"
sous_titre = "Europe"
indices = "indice"
couleur = "#5A5F96"
codes = ["BIEN", "PARFAIT"]

[[question]]
texte = "Capitale de la France ?"
reponse = "PARIS"
indice = "Tour Eiffel"

[[question]]
texte = "Capitale du Japon ?"
reponse = "TOKYO"
indice = "Mont Fuji"
)";

TEST(QuizSourceLayout, WorkedTextQuizGivesTheExactContentAndCodes) {
    Checked c = check(Capitales);
    ASSERT_FALSE(c.diagnostics.hasErrors()) << allMessages(c.diagnostics);
    std::string expected = std::string("\x00\x01\x02\x01", 4) +
                           "Capitales|Moi|Europe|||PARIS|Capitale de la France ?|TOKYO|Capitale du Japon ?|" +
                           "\x02" "Tour Eiffel|Mont Fuji|" "\x5A\x5F\x96";
    EXPECT_EQ(decodeResource(c.resources.content), bytesOf(expected));
    EXPECT_EQ(decodeResource(c.resources.rewardCodes), bytesOf("BIEN\r\nPARFAIT\r\n"));

    // The same bytes come back out of an executable built from it.
    if (std::string pe = tinyPe(); !pe.empty()) {
        std::vector<uint8_t> player, image;
        std::string reason;
        ASSERT_TRUE(readFileBytes(pe, player));
        ASSERT_TRUE(buildQuizImage(player, c.resources, image, reason)) << reason;
        PeImage read;
        ResourceList resources;
        ASSERT_TRUE(readPeImage(image.data(), image.size(), read, reason));
        ASSERT_TRUE(readResources(image.data(), image.size(), read, resources, reason));
        const ResourceEntry* stored = findResource(resources, ResourceName::fromText("PATCH"), 104);
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(decodeResource(stored->data), bytesOf(expected));
    }

    QuizContent parsed;
    std::vector<uint8_t> content = decodeResource(c.resources.content);
    ASSERT_EQ(parseQuizContent(content.data(), content.size(), parsed), ContentError::None);
    EXPECT_EQ(parsed.title, "Capitales");
    ASSERT_EQ(parsed.questions.size(), 2u);
    EXPECT_EQ(parsed.questions[1].hint, "Mont Fuji");
}

struct HintCase {
    const char* setting;
    std::string section;  // the bytes from the hint mode byte to the colour
};

TEST(QuizSourceLayout, EachHintModeLaysOutItsHintSection) {
    const HintCase cases[] = {
        {"\"aucun\"", std::string("\x00", 1)},
        {"\"image-r\xC3\xA9ponse\"", "\x01"},
        {"2", "\x02" "H1|H2|"},
        {"\"indice-et-message\"", "\x03" "H1|S1|H2|S2|"},
        {"\"tout-a-la-fin\"", "\x04" "H1|H2|"},
    };
    for (const HintCase& hc : cases) {
        std::string toml = std::string("genre = \"image\"\ntitre = \"T\"\nreponses_par_question = 2\n"
                                       "legende_1 = \"Qui\"\nlegende_2 = \"Quand\"\ncouleur = [255, 0, 7]\n"
                                       "codes = [\"a\", \"b|c\"]\nindices = ") +
                           hc.setting +
                           "\n[[question]]\nimage = \"1.jpg\"\nreponse = \"A1\"\nreponse_2 = \"B1\"\n"
                           "indice = \"H1\"\nindice_2 = \"S1\"\n"
                           "[[question]]\nimage = \"2.jpg\"\nreponse = \"A2\"\nreponse_2 = \"B2\"\ntexte = \"L2\"\n"
                           "indice = \"H2\"\nindice_2 = \"S2\"\n";
        Checked c = check(toml);
        ASSERT_FALSE(c.diagnostics.hasErrors()) << hc.setting << "\n" << allMessages(c.diagnostics);
        // Title, empty author and subtitle, the captions; question 1 has no text.
        std::string expected = std::string("\x00\x02\x02\x02", 4) + "T|||Qui|Quand|" "A1|B1||A2|B2|L2|" + hc.section +
                   std::string("\xFF\x00\x07", 3);
        EXPECT_EQ(decodeResource(c.resources.content), bytesOf(expected)) << hc.setting;
        EXPECT_EQ(decodeResource(c.resources.rewardCodes), bytesOf("a\r\nb|c\r\n"));
    }
}

TEST(QuizSourceLayout, TextsAreStoredInCodePage1252WithCrLfLineBreaks) {
    Checked c = check(R"(genre = "texte"
titre = "Été à Noël – 5 €"
codes = ["œuvre"]
[[question]]
texte = """Deux
lignes"""
reponse = "A"
)");
    ASSERT_FALSE(c.diagnostics.hasErrors()) << allMessages(c.diagnostics);
    EXPECT_EQ(c.source.content.title, "\xC9t\xE9 \xE0 No\xEBl \x96 5 \x80");
    EXPECT_EQ(c.source.content.questions[0].label, "Deux\r\nlignes");
    EXPECT_EQ(c.source.rewardCodes[0], "\x9Cuvre");
}

struct ErrorCase {
    const char* name;
    std::string toml;
    int line;
    const char* field;
    const char* message;
};

std::string textQuiz(const std::string& header, const std::string& first = "reponse = \"R1\"",
                     const std::string& codes = "codes = [\"A\", \"B\"]") {
    return "genre = \"texte\"\n" + header + "\n" + codes +
           "\n\n[[question]]\ntexte = \"Q1\"\n" + first + "\n\n[[question]]\ntexte = \"Q2\"\nreponse = \"R2\"\n";
}

// A text quiz of `count` questions whose four texts each come from `text`.
template <typename TextMaker>
std::string manyQuestions(int count, const std::string& hintMode, TextMaker text) {
    std::string toml = "genre = \"texte\"\ntitre = \"T\"\nindices = " + hintMode + "\ncodes = [";
    for (int i = 0; i < count; ++i) toml += "\"c\",";
    toml += "]\n";
    for (int i = 0; i < count; ++i)
        toml += "[[question]]\ntexte = \"" + text() + "\"\nreponse = \"" + text() + std::to_string(i) +
                "\"\nindice = \"" + text() + "\"\nindice_2 = \"" + text() + "\"\n";
    return toml;
}

// Text that LZW cannot shrink much: pseudo-random letters, accented ones included.
std::string noise(std::size_t length, unsigned seed) {
    static const char* const letters[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
                                          "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",
                                          "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                          "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
                                          "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "é", "è", "à",
                                          "ù", "ç", "ô", "î", "ï", "ë", "â", "É", "À", "œ", "æ", "ß", "ñ"};
    std::mt19937 random(seed);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += letters[random() % (sizeof letters / sizeof letters[0])];
    return text;
}

TEST(QuizSourceChecks, EachErrorNamesItsLineFieldAndCause) {
    std::string longText(260, 'x');
    auto shortText = [] { return std::string("q"); };
    auto longFields = [] { return std::string(250, 'x'); };
    unsigned seed = 1;
    auto noisyFields = [&seed] { return noise(250, seed++); };
    const ErrorCase cases[] = {
        {"no code page 1252 form", textQuiz("titre = \"T\xE2\x98\x85\""), 2, "titre", "« \xE2\x98\x85 » n'existe pas en code page 1252"},
        {"pipe in a field", textQuiz("titre = \"T\"", "reponse = \"R|1\""), 7, "question 1, reponse", "« | » est interdit"},
        {"line break in a title", textQuiz("titre = \"T\\nU\""), 2, "titre", "retour à la ligne interdit"},
        {"text over 259 bytes", textQuiz("titre = \"" + longText + "\""), 2, "titre", "260 octets (au plus 259)"},
        {"more than 96 questions", manyQuestions(97, "0", shortText), 485, "question", "97 questions : un quiz en a au plus 96"},
        {"wrong number of codes", textQuiz("titre = \"T\"", "reponse = \"R1\"", "codes = [\"A\"]"), 3, "codes", "1 code pour 2 questions"},
        {"line break in a code", textQuiz("titre = \"T\"", "reponse = \"R1\"", "codes = [\"A\\r\\nB\", \"C\"]"), 3, "code 1", "retour à la ligne interdit"},
        {"TOML syntax", textQuiz("titre = \"T"), 2, "", "syntaxe TOML"},
        {"unknown field", textQuiz("titre = \"T\"\ntitr = \"U\""), 3, "titr", "champ inconnu"},
        {"missing title", textQuiz(""), 0, "titre", "champ obligatoire manquant"},
        {"missing answer", textQuiz("titre = \"T\"", "indice = \"I\""), 5, "question 1, reponse", "champ obligatoire manquant"},
        {"bad kind", "genre = \"roman\"\n" + textQuiz("titre = \"T\"").substr(16), 1, "genre", "doit valoir"},
        {"bad hint mode", textQuiz("titre = \"T\"\nindices = \"beaucoup\""), 3, "indices", "doit valoir \"aucun\""},
        {"bad colour", textQuiz("titre = \"T\"\ncouleur = \"#12345\""), 3, "couleur", "#5A5F96"},
        {"colour out of range", textQuiz("titre = \"T\"\ncouleur = [1, 2, 300]"), 3, "couleur", "de 0 à 255"},
        {"two answers in a text quiz", textQuiz("titre = \"T\"\nreponses_par_question = 2", "reponse = \"R\"\nreponse_2 = \"S\""), 3, "reponses_par_question", "un quiz texte n'a qu'une réponse"},
        {"second answer in a one-answer quiz", textQuiz("titre = \"T\"", "reponse = \"R\"\nreponse_2 = \"S\""), 8, "question 1, reponse_2", "quiz à une réponse"},
        {"second answer missing",
         "genre = \"image\"\ntitre = \"T\"\nreponses_par_question = 2\ncodes = [\"A\"]\n[[question]]\nimage = \"a.jpg\"\nreponse = \"R\"\n",
         5, "question 1, reponse_2", "seconde réponse manquante"},
        {"picture missing in a picture quiz", "genre = \"image\"\ntitre = \"T\"\ncodes = [\"A\"]\n[[question]]\nreponse = \"R\"\n",
         4, "question 1, image", "champ obligatoire manquant"},
        {"clip in a text quiz", textQuiz("titre = \"T\"", "reponse = \"R\"\nson = \"a.mp3\""), 8, "question 1, son", "ne sert que dans un quiz son"},
        {"content over 65535 bytes before encoding", manyQuestions(96, "3", longFields), 0, "contenu du quiz",
         "avant codage (au plus 65535)"},
        {"content over 32768 bytes once encoded", manyQuestions(60, "3", noisyFields), 0, "contenu du quiz",
         "une fois codé (au plus 32768"},
    };
    for (const ErrorCase& ec : cases) {
        Checked c = check(ec.toml);
        ASSERT_TRUE(c.diagnostics.hasErrors()) << ec.name;
        bool found = false;
        for (const Diagnostic& d : c.diagnostics.items)
            found = found || (d.severity == Severity::Error && d.line == ec.line && d.field == ec.field &&
                              d.message.find(ec.message) != std::string::npos);
        EXPECT_TRUE(found) << ec.name << ": wanted line " << ec.line << ", field '" << ec.field << "', '"
                           << ec.message << "'; got:\n"
                           << allMessages(c.diagnostics);
    }
}

TEST(QuizSourceChecks, SeveralErrorsAreAllReportedInOneRun) {
    Checked c = check(R"(genre = "texte"
titre = "A|B"
indices = "plein"
codes = ["un"]

[[question]]
texte = "Q1 ☺"
reponse = "R1"

[[question]]
texte = "Q2"
)");
    std::string messages = allMessages(c.diagnostics);
    EXPECT_EQ(c.diagnostics.errorCount(), 5) << messages;
    for (const char* part : {"quiz.toml:2: erreur : titre", "quiz.toml:3: erreur : indices",
                             "quiz.toml:4: erreur : codes", "quiz.toml:7: erreur : question 1, texte",
                             "quiz.toml:10: erreur : question 2, reponse"})
        EXPECT_NE(messages.find(part), std::string::npos) << part << "\n" << messages;
}

TEST(AnswerWarnings, AnswersAPlayerCanHardlyFindAreWarnedAbout) {
    Checked c = check(R"(genre = "texte"
titre = "T"
codes = ["1", "2", "3", "4", "5"]
[[question]]
texte = "a"
reponse = "PARIS "
[[question]]
texte = "b"
reponse = "été"
[[question]]
texte = "c"
reponse = ""
[[question]]
texte = "d"
reponse = "Rome"
[[question]]
texte = "e"
reponse = "ROME"
)");
    EXPECT_FALSE(c.diagnostics.hasErrors()) << allMessages(c.diagnostics);
    struct Expected {
        int line;
        const char* message;
    };
    const Expected expected[] = {
        {6, "commence ou finit par une espace"},
        {9, "minuscule accentuée « é »"},
        {12, "réponse vide"},
        {18, "même réponse que la question 4"},
    };
    for (const Expected& e : expected) {
        bool found = false;
        for (const Diagnostic& d : c.diagnostics.items)
            found = found || (d.severity == Severity::Warning && d.line == e.line &&
                              d.message.find(e.message) != std::string::npos);
        EXPECT_TRUE(found) << e.message << "\n" << allMessages(c.diagnostics);
    }
    EXPECT_EQ(c.diagnostics.items.size(), 4u) << allMessages(c.diagnostics);
}

TEST(AnswerWarnings, AccentedCapitalsPairWithTheirLowerCase) {
    EXPECT_EQ(accentedCapital(0xE9), 0xC9);  // é É
    EXPECT_EQ(accentedCapital(0x9C), 0x8C);  // œ Œ
    EXPECT_EQ(accentedCapital(0xFF), 0x9F);  // ÿ Ÿ
    EXPECT_EQ(accentedCapital(0xF7), 0);     // ÷ is no letter
    EXPECT_EQ(accentedCapital(0xC9), 0);     // É is a capital already
    EXPECT_EQ(accentedCapital('e'), 0);      // ASCII letters are upper-cased by the player
}

TEST(TryAnswer, GivesThePlayersVerdictForEachBox) {
    Checked one = check(R"(genre = "texte"
titre = "T"
codes = ["1", "2"]
[[question]]
texte = "a"
reponse = "Paris"
[[question]]
texte = "b"
reponse = "Le Penseur de Rodin"
)");
    ASSERT_FALSE(one.diagnostics.hasErrors());
    struct Case {
        int question;
        const char* typed;
        const char* verdict;
    };
    const Case cases[] = {
        {1, " paris ", "BRAVO"}, {1, "pari", "Quasiment"}, {1, "sirap", "Anagramme"}, {1, "", "?"},
        {2, "La Penseuse de Rodin", "y a de l'idée"},
    };
    for (const Case& tc : cases) {
        std::vector<std::string> verdicts;
        std::string reason;
        ASSERT_TRUE(tryAnswer(one.source, tc.question, tc.typed, verdicts, reason)) << reason;
        ASSERT_EQ(verdicts.size(), 1u);
        EXPECT_EQ(verdicts[0], tc.verdict) << tc.typed;
    }
    std::vector<std::string> verdicts;
    std::string reason;
    EXPECT_FALSE(tryAnswer(one.source, 3, "x", verdicts, reason));
    EXPECT_NE(reason.find("pas de question 3"), std::string::npos);
    EXPECT_FALSE(tryAnswer(one.source, 1, "\xE2\x98\x85", verdicts, reason));

    Checked two = check("genre = \"son\"\ntitre = \"T\"\nreponses_par_question = 2\ncodes = [\"1\"]\n"
                        "[[question]]\nson = \"a.mp3\"\nreponse = \"DO\"\nreponse_2 = \"DOS\"\n");
    ASSERT_FALSE(two.diagnostics.hasErrors()) << allMessages(two.diagnostics);
    ASSERT_TRUE(tryAnswer(two.source, 1, "do", verdicts, reason));
    EXPECT_EQ(verdicts, (std::vector<std::string>{"BRAVO", "Quasiment"}));
}

TEST(ExtractedSource, WrittenTomlReadsBackToTheSameContent) {
    QuizContent content;
    content.kind = KindPicture;
    content.answersPerQuestion = 2;
    content.title = "Quiz \"cit\xE9\" \\ ici";
    content.author = " createur";
    content.answerCaption1 = "Qui";
    content.hintMode = HintShowMessage;
    content.red = 1;
    content.green = 2;
    content.blue = 3;
    content.leadByte = 9;
    content.questions.push_back({"A\xC9", "B", "Deux\r\nlignes\ttab", "H\xE9", "S"});
    std::vector<std::string> codes = {"code | avec \x80"};
    std::vector<ExtractedMediaNames> media = {{"question-01.jpg", ""}};
    std::string toml = quizSourceText(content, codes, media);

    Diagnostics d;
    QuizSource back = readQuizSourceText(toml, "quiz.toml", ".", d);
    ASSERT_FALSE(d.hasErrors()) << allMessages(d) << toml;
    EXPECT_EQ(writeQuizContent(back.content), writeQuizContent(content));
    EXPECT_EQ(back.rewardCodes, codes);
    EXPECT_EQ(back.questions[0].picture.path, "question-01.jpg");
}

}  // namespace
