#include "builder/answer_warnings.h"

#include <map>

#include "builder/cp1252.h"

namespace {

std::string upperAsciiCopy(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

std::string quoted(const std::string& cp1252) { return "« " + cp1252ToUtf8(cp1252) + " »"; }

void checkAnswer(const QuizSource& source, const std::string& answer, int line, const std::string& field,
                 Diagnostics& d) {
    if (answer.empty()) {
        d.warning(source.file, line, field, "réponse vide : le joueur ne pourra jamais avoir BRAVO");
        return;
    }
    if (answer.front() == ' ' || answer.back() == ' ')
        d.warning(source.file, line, field,
                  "la réponse " + quoted(answer) +
                  " commence ou finit par une espace : le joueur devra la taper aussi, car les réponses "
                  "attendues ne sont pas rognées");
    for (char c : answer) {
        uint8_t capital = accentedCapital(static_cast<uint8_t>(c));
        if (!capital) continue;
        d.warning(source.file, line, field,
                  "la réponse " + quoted(answer) + " contient la minuscule accentuée " + quoted(std::string(1, c)) +
                  " : un joueur qui tape en capitales (" + quoted(std::string(1, static_cast<char>(capital))) +
                  ") n'aura pas BRAVO");
        break;
    }
}

}  // namespace

uint8_t accentedCapital(uint8_t byte) {
    switch (byte) {
    case 0x9A: return 0x8A;  // š Š
    case 0x9C: return 0x8C;  // œ Œ
    case 0x9E: return 0x8E;  // ž Ž
    case 0xFF: return 0x9F;  // ÿ Ÿ
    default: break;
    }
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<uint8_t>(byte - 0x20);
    return 0;
}

void warnAboutAnswers(const QuizSource& source, Diagnostics& diagnostics) {
    const QuizContent& content = source.content;
    // One map per answer column: the player compares upper-cased texts.
    std::map<std::string, int> seen[2];
    for (std::size_t i = 0; i < content.questions.size() && i < source.questions.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        const ContentQuestion& q = content.questions[i];
        const QuestionSource& place = source.questions[i];
        for (int box = 0; box < content.answersPerQuestion; ++box) {
            const std::string& answer = box == 0 ? q.answer1 : q.answer2;
            int line = box == 0 ? place.answer1Line : place.answer2Line;
            std::string field = "question " + std::to_string(number) + (box == 0 ? ", reponse" : ", reponse_2");
            checkAnswer(source, answer, line, field, diagnostics);
            if (answer.empty()) continue;
            auto [it, inserted] = seen[box].emplace(upperAsciiCopy(answer), number);
            if (!inserted)
                diagnostics.warning(source.file, line, field,
                                    "même réponse que la question " + std::to_string(it->second) + " (" +
                                        quoted(answer) + ")");
        }
    }
}
