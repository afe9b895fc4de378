#include "builder/try_answer.h"

#include "builder/cp1252.h"
#include "checking/verdict.h"

bool tryAnswer(const QuizSource& source, int number, const std::string& typedUtf8, std::vector<std::string>& verdicts,
               std::string& reason) {
    const QuizContent& c = source.content;
    int count = static_cast<int>(c.questions.size());
    if (number < 1 || number > count) {
        reason = "pas de question " + std::to_string(number) + " (le quiz en a " + std::to_string(count) + ")";
        return false;
    }
    Cp1252Result typed = utf8ToCp1252(typedUtf8);
    if (!typed.ok) {
        reason = "le texte tapé contient « " + typed.firstBad + " », que le lecteur ne peut pas afficher";
        return false;
    }
    const ContentQuestion& q = c.questions[number - 1];
    verdicts.clear();
    verdicts.push_back(cp1252ToUtf8(verdictFor(q.answer1.c_str(), typed.bytes.c_str())));
    if (c.answersPerQuestion == 2) verdicts.push_back(cp1252ToUtf8(verdictFor(q.answer2.c_str(), typed.bytes.c_str())));
    return true;
}
