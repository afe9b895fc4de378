#pragma once
// Recovers a quiz source and its media from a quiz executable.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "content/content_format.h"

struct ExtractedFile {
    std::string name;  // within the output folder
    std::vector<uint8_t> bytes;
};

struct ExtractedQuiz {
    QuizContent content;
    std::vector<std::string> rewardCodes;
    std::vector<ExtractedFile> files;  // quiz.toml first, then the media
};

constexpr char ExtractedSourceName[] = "quiz.toml";

bool extractQuiz(const std::vector<uint8_t>& executable, ExtractedQuiz& quiz, std::string& reason);

// Writes every extracted file into `folder` (created when missing), each one
// all or nothing.
bool writeExtractedQuiz(const ExtractedQuiz& quiz, const std::filesystem::path& folder, std::string& reason);
