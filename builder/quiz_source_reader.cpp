// Reads a quiz source (TOML) into a QuizSource, checking everything that can
// be checked without the media files. Every problem is reported; none stops
// the reading of the rest.

#include <fstream>
#include <set>
#include <sstream>

#include <toml++/toml.h>

#include "builder/cp1252.h"
#include "builder/quiz_source.h"

namespace {

constexpr std::size_t MaxTextBytes = 259;
constexpr int64_t MaxHintMode = 255;

struct KindName {
    const char* name;
    int kind;
};
constexpr KindName KindNames[] = {
    {"texte", KindText}, {"image", KindPicture}, {"son", KindSound},
    {"vidéo", KindVideo}, {"video", KindVideo},
};

// Hint modes by their French names; the accents are optional, and '_' or a
// blank may stand for '-'.
constexpr const char* HintModeNames[] = {
    "aucun", "image-reponse", "indice", "indice-et-message", "tout-a-la-fin",
};

std::string foldHintName(const std::string& name) {
    std::string folded;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == 0xC3 && i + 1 < name.size()) {
            unsigned char next = static_cast<unsigned char>(name[i + 1]);
            if (next == 0xA0 || next == 0xA2 || next == 0x80) { folded += 'a'; ++i; continue; }
            if (next == 0xA9 || next == 0xA8 || next == 0xAA || next == 0x89) { folded += 'e'; ++i; continue; }
        }
        if (c == '_' || c == ' ') { folded += '-'; continue; }
        folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    return folded;
}

enum class LineBreaks { Refused, Allowed };
enum class Pipes { Refused, Allowed };

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

class SourceReader {
public:
    SourceReader(const std::string& file, Diagnostics& diagnostics) : file_(file), d_(diagnostics) {}

    void read(const toml::table& root, QuizSource& source);

private:
    void error(int line, const std::string& field, const std::string& message) { d_.error(file_, line, field, message); }
    void warning(int line, const std::string& field, const std::string& message) { d_.warning(file_, line, field, message); }

    std::string text(const toml::node& node, const std::string& field, LineBreaks breaks, Pipes pipes);
    std::string optionalText(const toml::table& table, const char* key, const std::string& field, LineBreaks breaks);
    void readKind(const toml::table& root, QuizSource& source);
    void readAnswersPerQuestion(const toml::table& root, QuizSource& source);
    void readHintMode(const toml::table& root, QuizSource& source);
    void readColour(const toml::table& root, QuizSource& source);
    void readLeadByte(const toml::table& root, QuizSource& source);
    void readQuestions(const toml::table& root, QuizSource& source);
    void readQuestion(const toml::table& table, int number, QuizSource& source);
    MediaReference media(const toml::table& table, const char* key, const std::string& field);
    void readRewardCodes(const toml::table& root, QuizSource& source);
    void checkKeys(const toml::table& table, const std::set<std::string>& known, const std::string& where);

    std::string file_;
    Diagnostics& d_;
};

std::string questionField(int number, const char* key) {
    return "question " + std::to_string(number) + ", " + key;
}

std::string SourceReader::text(const toml::node& node, const std::string& field, LineBreaks breaks, Pipes pipes) {
    const toml::value<std::string>* value = node.as_string();
    if (!value) {
        error(lineOf(node), field, "doit être un texte entre guillemets");
        return {};
    }
    Cp1252Result converted = utf8ToCp1252(value->get());
    if (!converted.ok) {
        if (converted.invalidUtf8)
            error(lineOf(node), field, "le texte n'est pas en UTF-8");
        else
            error(lineOf(node), field, "le caractère « " + converted.firstBad +
                  " » n'existe pas en code page 1252 (le jeu de caractères du lecteur)");
    }
    // Line breaks are stored as CR LF, whatever the source file used.
    std::string stored;
    bool hasBreak = false;
    const std::string& in = converted.bytes;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\r' || in[i] == '\n') {
            hasBreak = true;
            if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++i;
            stored += "\r\n";
        } else {
            stored += in[i];
        }
    }
    if (hasBreak && breaks == LineBreaks::Refused)
        error(lineOf(node), field, "retour à la ligne interdit dans ce champ");
    if (pipes == Pipes::Refused && stored.find('|') != std::string::npos)
        error(lineOf(node), field, "le caractère « | » est interdit (il sépare les champs du quiz)");
    if (stored.size() > MaxTextBytes)
        error(lineOf(node), field, "texte trop long : " + std::to_string(stored.size()) +
              " octets (au plus " + std::to_string(MaxTextBytes) + ")");
    return stored;
}

std::string SourceReader::optionalText(const toml::table& table, const char* key, const std::string& field,
                                       LineBreaks breaks) {
    const toml::node* node = table.get(key);
    return node ? text(*node, field, breaks, Pipes::Refused) : std::string();
}

void SourceReader::checkKeys(const toml::table& table, const std::set<std::string>& known, const std::string& where) {
    for (auto&& [key, node] : table) {
        std::string name(key.str());
        if (!known.count(name))
            error(static_cast<int>(key.source().begin.line), where + name,
                  "champ inconnu (voir docs/guide-auteur.md pour la liste des champs)");
    }
}

void SourceReader::readKind(const toml::table& root, QuizSource& source) {
    const toml::node* node = root.get("genre");
    if (!node) {
        error(0, "genre", "champ obligatoire manquant (texte, image, son ou vidéo)");
        return;
    }
    const toml::value<std::string>* value = node->as_string();
    if (value) {
        for (const KindName& k : KindNames) {
            if (value->get() == k.name) {
                source.content.kind = k.kind;
                return;
            }
        }
    }
    error(lineOf(*node), "genre", "doit valoir \"texte\", \"image\", \"son\" ou \"vidéo\"");
}

void SourceReader::readAnswersPerQuestion(const toml::table& root, QuizSource& source) {
    const toml::node* node = root.get("reponses_par_question");
    if (!node) return;
    const toml::value<int64_t>* value = node->as_integer();
    if (!value || (value->get() != 1 && value->get() != 2)) {
        error(lineOf(*node), "reponses_par_question", "doit valoir 1 ou 2");
        return;
    }
    source.content.answersPerQuestion = static_cast<int32_t>(value->get());
    if (source.content.answersPerQuestion == 2 && source.content.kind == KindText)
        error(lineOf(*node), "reponses_par_question",
              "un quiz texte n'a qu'une réponse par question (2 réponses : quiz image, son ou vidéo)");
}

void SourceReader::readHintMode(const toml::table& root, QuizSource& source) {
    const toml::node* node = root.get("indices");
    if (!node) return;
    if (const toml::value<int64_t>* number = node->as_integer()) {
        if (number->get() < 0 || number->get() > MaxHintMode) {
            error(lineOf(*node), "indices", "le numéro doit aller de 0 à 4");
            return;
        }
        if (number->get() > HintAllAtEnd)
            warning(lineOf(*node), "indices", "le mode " + std::to_string(number->get()) +
                    " agit comme \"aucun\" (0) dans le lecteur");
        source.content.hintMode = static_cast<uint8_t>(number->get());
        return;
    }
    if (const toml::value<std::string>* name = node->as_string()) {
        std::string folded = foldHintName(name->get());
        for (int mode = 0; mode <= HintAllAtEnd; ++mode) {
            if (folded == HintModeNames[mode]) {
                source.content.hintMode = static_cast<uint8_t>(mode);
                return;
            }
        }
    }
    error(lineOf(*node), "indices",
          "doit valoir \"aucun\", \"image-réponse\", \"indice\", \"indice-et-message\", "
          "\"tout-à-la-fin\" ou un numéro de 0 à 4");
}

void SourceReader::readColour(const toml::table& root, QuizSource& source) {
    const toml::node* node = root.get("couleur");
    if (!node) return;
    int rgb[3] = {};
    bool ok = false;
    if (const toml::value<std::string>* value = node->as_string()) {
        const std::string& s = value->get();
        ok = s.size() == 7 && s[0] == '#';
        for (int i = 0; ok && i < 3; ++i) {
            std::istringstream hex(s.substr(1 + 2 * i, 2));
            unsigned component = 0;
            ok = std::isxdigit(static_cast<unsigned char>(s[1 + 2 * i])) &&
                 std::isxdigit(static_cast<unsigned char>(s[2 + 2 * i])) && (hex >> std::hex >> component);
            rgb[i] = static_cast<int>(component);
        }
    } else if (const toml::array* array = node->as_array()) {
        ok = array->size() == 3;
        for (std::size_t i = 0; ok && i < 3; ++i) {
            const toml::value<int64_t>* component = (*array)[i].as_integer();
            ok = component && component->get() >= 0 && component->get() <= 255;
            if (ok) rgb[i] = static_cast<int>(component->get());
        }
    }
    if (!ok) {
        error(lineOf(*node), "couleur", "doit s'écrire \"#5A5F96\" ou [90, 95, 150] (rouge, vert, bleu de 0 à 255)");
        return;
    }
    source.content.red = static_cast<uint8_t>(rgb[0]);
    source.content.green = static_cast<uint8_t>(rgb[1]);
    source.content.blue = static_cast<uint8_t>(rgb[2]);
}

void SourceReader::readLeadByte(const toml::table& root, QuizSource& source) {
    source.content.leadByte = DefaultLeadByte;
    const toml::node* node = root.get("octet_initial");
    if (!node) return;
    const toml::value<int64_t>* value = node->as_integer();
    if (!value || value->get() < 0 || value->get() > 255) {
        error(lineOf(*node), "octet_initial", "doit être un nombre de 0 à 255");
        return;
    }
    source.content.leadByte = static_cast<uint8_t>(value->get());
}

MediaReference SourceReader::media(const toml::table& table, const char* key, const std::string& field) {
    MediaReference ref;
    const toml::node* node = table.get(key);
    if (!node) return ref;
    ref.line = lineOf(*node);
    const toml::value<std::string>* value = node->as_string();
    if (!value || value->get().empty()) {
        error(ref.line, field, "doit être le nom d'un fichier, entre guillemets");
        return ref;
    }
    ref.path = value->get();
    return ref;
}

void SourceReader::readQuestion(const toml::table& table, int number, QuizSource& source) {
    static const std::set<std::string> known = {"reponse", "reponse_2", "texte", "indice", "indice_2",
                                                "image", "image_reponse", "son", "video"};
    const QuizContent& content = source.content;
    std::string where = "question " + std::to_string(number) + ", ";
    checkKeys(table, known, where);

    ContentQuestion question;
    QuestionSource place;
    place.line = lineOf(table);

    if (const toml::node* answer = table.get("reponse")) {
        place.answer1Line = lineOf(*answer);
        question.answer1 = text(*answer, questionField(number, "reponse"), LineBreaks::Refused, Pipes::Refused);
    } else {
        error(place.line, questionField(number, "reponse"), "champ obligatoire manquant");
    }
    const toml::node* second = table.get("reponse_2");
    if (content.answersPerQuestion == 2) {
        if (second) {
            place.answer2Line = lineOf(*second);
            question.answer2 = text(*second, questionField(number, "reponse_2"), LineBreaks::Refused, Pipes::Refused);
        } else {
            error(place.line, questionField(number, "reponse_2"),
                  "seconde réponse manquante (le quiz a 2 réponses par question)");
        }
    } else if (second) {
        error(lineOf(*second), questionField(number, "reponse_2"),
              "seconde réponse dans un quiz à une réponse (mettez reponses_par_question = 2)");
    }

    if (content.kind == KindText && !table.get("texte"))
        error(place.line, questionField(number, "texte"), "champ obligatoire manquant dans un quiz texte");
    question.label = optionalText(table, "texte", questionField(number, "texte"), LineBreaks::Allowed);

    bool hintsUsed = content.hintMode == HintShowLabel || content.hintMode == HintShowMessage ||
                     content.hintMode == HintAllAtEnd;
    question.hint = optionalText(table, "indice", questionField(number, "indice"), LineBreaks::Allowed);
    question.secondHint = optionalText(table, "indice_2", questionField(number, "indice_2"), LineBreaks::Allowed);
    if (const toml::node* hint = table.get("indice"); hint && !hintsUsed)
        warning(lineOf(*hint), questionField(number, "indice"),
                "ignoré : le mode d'indices du quiz n'affiche pas d'indice");
    if (const toml::node* hint = table.get("indice_2"); hint && content.hintMode != HintShowMessage)
        warning(lineOf(*hint), questionField(number, "indice_2"),
                "ignoré : seul le mode \"indice-et-message\" garde un second indice");
    if (!hintsUsed) question.hint.clear();
    if (content.hintMode != HintShowMessage) question.secondHint.clear();

    place.picture = media(table, "image", questionField(number, "image"));
    place.answerPicture = media(table, "image_reponse", questionField(number, "image_reponse"));
    MediaReference sound = media(table, "son", questionField(number, "son"));
    MediaReference video = media(table, "video", questionField(number, "video"));

    struct Expected {
        const char* key;
        int kind;
        const MediaReference& ref;
        const char* what;
    };
    const Expected expected[] = {
        {"image", KindPicture, place.picture, "une image"},
        {"son", KindSound, sound, "un son"},
        {"video", KindVideo, video, "une vidéo"},
    };
    for (const Expected& e : expected) {
        if (content.kind == e.kind && e.ref.path.empty() && !table.get(e.key))
            error(place.line, questionField(number, e.key),
                  std::string("champ obligatoire manquant : chaque question d'un quiz ") + kindName(e.kind) +
                  " a " + e.what);
        if (content.kind != e.kind && table.get(e.key))
            error(e.ref.line, questionField(number, e.key),
                  std::string("ne sert que dans un quiz ") + kindName(e.kind) + " (ce quiz est de genre " +
                  kindName(content.kind) + ")");
    }
    place.clip = content.kind == KindSound ? sound : content.kind == KindVideo ? video : MediaReference{};
    if (!place.answerPicture.path.empty() &&
        (content.kind != KindPicture || content.hintMode != HintAnswerPicture)) {
        warning(place.answerPicture.line, questionField(number, "image_reponse"),
                "ignorée : elle ne sert qu'en mode d'indices \"image-réponse\" d'un quiz image");
        place.answerPicture = {};
    }

    source.content.questions.push_back(std::move(question));
    source.questions.push_back(place);
}

void SourceReader::readQuestions(const toml::table& root, QuizSource& source) {
    const toml::node* node = root.get("question");
    if (!node) {
        error(0, "question", "aucune question : ajoutez des blocs [[question]]");
        return;
    }
    const toml::array* array = node->as_array();
    if (!array || !array->is_array_of_tables()) {
        error(lineOf(*node), "question", "chaque question s'écrit dans un bloc [[question]]");
        return;
    }
    if (array->empty()) {
        error(lineOf(*node), "question", "aucune question");
        return;
    }
    if (array->size() > static_cast<std::size_t>(MaxQuestions))
        error(lineOf(*(*array)[MaxQuestions].as_table()), "question",
              std::to_string(array->size()) + " questions : un quiz en a au plus " + std::to_string(MaxQuestions));
    int number = 0;
    for (const toml::node& element : *array) readQuestion(*element.as_table(), ++number, source);
}

void SourceReader::readRewardCodes(const toml::table& root, QuizSource& source) {
    std::size_t questions = source.content.questions.size();
    const toml::node* node = root.get("codes");
    if (!node) {
        error(0, "codes", "champ obligatoire manquant : un code par score, de 1 à " + std::to_string(questions));
        return;
    }
    const toml::array* array = node->as_array();
    if (!array) {
        error(lineOf(*node), "codes", "doit être une liste de textes : codes = [\"...\", \"...\"]");
        return;
    }
    if (array->size() != questions)
        error(lineOf(*node), "codes",
              std::to_string(array->size()) + (array->size() == 1 ? " code pour " : " codes pour ") +
                  std::to_string(questions) +
              " questions : il faut un code par score, de 1 à " + std::to_string(questions));
    int index = 0;
    for (const toml::node& element : *array) {
        ++index;
        std::string field = "code " + std::to_string(index);
        std::string code = text(element, field, LineBreaks::Refused, Pipes::Allowed);
        source.rewardCodes.push_back(code);
    }
}

void SourceReader::read(const toml::table& root, QuizSource& source) {
    static const std::set<std::string> known = {"genre", "titre", "auteur", "sous_titre", "reponses_par_question",
                                                "legende_1", "legende_2", "indices", "couleur", "codes",
                                                "question", "octet_initial"};
    checkKeys(root, known, "");
    readKind(root, source);
    readAnswersPerQuestion(root, source);
    readHintMode(root, source);
    readColour(root, source);
    readLeadByte(root, source);

    QuizContent& c = source.content;
    if (!root.get("titre")) error(0, "titre", "champ obligatoire manquant");
    c.title = optionalText(root, "titre", "titre", LineBreaks::Refused);
    c.author = optionalText(root, "auteur", "auteur", LineBreaks::Refused);
    c.subtitle = optionalText(root, "sous_titre", "sous_titre", LineBreaks::Refused);
    c.answerCaption1 = optionalText(root, "legende_1", "legende_1", LineBreaks::Refused);
    c.answerCaption2 = optionalText(root, "legende_2", "legende_2", LineBreaks::Refused);

    readQuestions(root, source);
    readRewardCodes(root, source);
}

}  // namespace

const char* kindName(int kind) {
    switch (kind) {
    case KindText: return "texte";
    case KindPicture: return "image";
    case KindSound: return "son";
    case KindVideo: return "vidéo";
    default: return "?";
    }
}

const char* hintModeName(int mode) {
    static const char* const names[] = {"aucun", "image-réponse", "indice", "indice-et-message",
                                        "tout-à-la-fin"};
    return mode >= 0 && mode <= HintAllAtEnd ? names[mode] : nullptr;
}

QuizSource readQuizSourceText(std::string_view text, const std::string& displayName,
                              const std::filesystem::path& folder, Diagnostics& diagnostics) {
    QuizSource source;
    source.file = displayName;
    source.folder = folder;
    toml::table root;
    try {
        root = toml::parse(text, displayName);
    } catch (const toml::parse_error& e) {
        diagnostics.error(displayName, static_cast<int>(e.source().begin.line), "",
                          "syntaxe TOML : " + std::string(e.description()));
        return source;
    }
    SourceReader(displayName, diagnostics).read(root, source);
    return source;
}

QuizSource readQuizSource(const std::filesystem::path& file, const std::string& displayName,
                          Diagnostics& diagnostics) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        diagnostics.error(displayName, 0, "", "impossible de lire le fichier du quiz");
        QuizSource source;
        source.file = displayName;
        return source;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return readQuizSourceText(text.str(), displayName, file.parent_path(), diagnostics);
}
