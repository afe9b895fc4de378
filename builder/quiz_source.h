#pragma once
// A quiz as its author wrote it: the content the player will read, the
// reward codes, and per question the media files to embed. Texts are
// already code page 1252.

#include <filesystem>
#include <string>
#include <vector>

#include "builder/diagnostics.h"
#include "content/content_format.h"

struct MediaReference {
    std::string path;  // as written, relative to the quiz file; empty when absent
    int line = 0;
};

struct QuestionSource {
    int line = 0;  // the [[question]] header
    int answer1Line = 0;
    int answer2Line = 0;
    MediaReference picture;        // "image": picture quiz
    MediaReference answerPicture;  // "image_reponse": hint mode 1
    MediaReference clip;           // "son" or "video"
};

struct QuizSource {
    std::string file;               // the quiz file as named by the author
    std::filesystem::path folder;   // media paths are relative to it
    QuizContent content;
    std::vector<std::string> rewardCodes;  // one per score, 1 to the question count
    std::vector<QuestionSource> questions; // parallel to content.questions
};

// The value the builder writes into byte 0 of the content, never read by the player.
constexpr uint8_t DefaultLeadByte = 0;

// Reads and checks a quiz source file. Every problem found goes into
// `diagnostics`; the result is meaningful only when it holds no error.
QuizSource readQuizSource(const std::filesystem::path& file, const std::string& displayName,
                          Diagnostics& diagnostics);

// The same from TOML text already in memory (tests, and --try).
QuizSource readQuizSourceText(std::string_view text, const std::string& displayName,
                              const std::filesystem::path& folder, Diagnostics& diagnostics);

// Hint mode names as an author writes them ("aucun", "image-reponse", ...).
const char* hintModeName(int mode);
// Kind names ("texte", "image", "son", "vidéo").
const char* kindName(int kind);
