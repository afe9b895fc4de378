#include "builder/toml_writer.h"

#include <cstdio>

#include "builder/cp1252.h"
#include "builder/quiz_source.h"

std::string tomlString(const std::string& cp1252) {
    std::string out = "\"";
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(cp1252[i]);
        if (c == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", c);
            out += escape;
        } else {
            out += cp1252ToUtf8(std::string(1, static_cast<char>(c)));
        }
    }
    return out + "\"";
}

namespace {

void line(std::string& out, const char* key, const std::string& value) { out += std::string(key) + " = " + value + "\n"; }

}  // namespace

std::string quizSourceText(const QuizContent& c, const std::vector<std::string>& rewardCodes,
                           const std::vector<ExtractedMediaNames>& media) {
    std::string out = "# Quiz extrait par zelto-build --extract\n";
    line(out, "genre", "\"" + std::string(kindName(c.kind)) + "\"");
    line(out, "titre", tomlString(c.title));
    line(out, "auteur", tomlString(c.author));
    line(out, "sous_titre", tomlString(c.subtitle));
    line(out, "reponses_par_question", std::to_string(c.answersPerQuestion));
    line(out, "legende_1", tomlString(c.answerCaption1));
    line(out, "legende_2", tomlString(c.answerCaption2));
    const char* mode = hintModeName(c.hintMode);
    line(out, "indices", mode ? "\"" + std::string(mode) + "\"" : std::to_string(c.hintMode));
    char colour[16];
    std::snprintf(colour, sizeof colour, "\"#%02X%02X%02X\"", c.red, c.green, c.blue);
    line(out, "couleur", colour);
    if (c.leadByte != DefaultLeadByte) line(out, "octet_initial", std::to_string(c.leadByte));
    out += "codes = [\n";
    for (const std::string& code : rewardCodes) out += "  " + tomlString(code) + ",\n";
    out += "]\n";

    bool hints = c.hintMode == HintShowLabel || c.hintMode == HintShowMessage || c.hintMode == HintAllAtEnd;
    const char* mediaKey = c.kind == KindPicture ? "image" : c.kind == KindSound ? "son" : "video";
    for (std::size_t i = 0; i < c.questions.size(); ++i) {
        const ContentQuestion& q = c.questions[i];
        out += "\n[[question]]\n";
        line(out, "reponse", tomlString(q.answer1));
        if (c.answersPerQuestion == 2) line(out, "reponse_2", tomlString(q.answer2));
        line(out, "texte", tomlString(q.label));
        if (hints) line(out, "indice", tomlString(q.hint));
        if (c.hintMode == HintShowMessage) line(out, "indice_2", tomlString(q.secondHint));
        if (i < media.size() && !media[i].media.empty()) line(out, mediaKey, tomlString(media[i].media));
        if (i < media.size() && !media[i].answerPicture.empty())
            line(out, "image_reponse", tomlString(media[i].answerPicture));
    }
    return out;
}
