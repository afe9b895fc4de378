#pragma once
// Writes a quiz source (TOML, UTF-8) from decoded content: what --extract
// produces, and what the builder reads back to the same resources.

#include <string>
#include <vector>

#include "content/content_format.h"

struct ExtractedMediaNames {
    std::string media;          // "image", "son" or "video" file; empty when absent
    std::string answerPicture;  // "image_reponse" file; empty when absent
};

std::string quizSourceText(const QuizContent& content, const std::vector<std::string>& rewardCodes,
                           const std::vector<ExtractedMediaNames>& media);

// A TOML basic string holding a code page 1252 text; CR LF becomes "\n".
std::string tomlString(const std::string& cp1252);
