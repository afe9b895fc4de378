#pragma once
// The media of a quiz, read from the author's files and checked by their
// content: question pictures or clips ("IMG" 400 + q) and answer pictures
// ("IMG" 10400 + q).

#include <cstdint>
#include <vector>

#include "builder/diagnostics.h"
#include "builder/quiz_source.h"

constexpr uint16_t QuestionMediaId = 400;
constexpr uint16_t AnswerPictureId = 10400;

struct MediaOptions {
    bool keepOriginals = false;  // store pictures as given, never fitted
};

struct MediaResource {
    uint16_t id = 0;
    std::vector<uint8_t> bytes;
};

struct QuizMedia {
    std::vector<MediaResource> resources;  // in question order
    int picturesFitted = 0;
};

QuizMedia loadQuizMedia(const QuizSource& source, const MediaOptions& options, Diagnostics& diagnostics);
