#pragma once
// From a quiz source to a quiz executable: read and check the source, load
// and fit the media, lay out and encode the two content resources, and write
// them with the media into a copy of the player. Nothing is written unless
// every step succeeded.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "builder/diagnostics.h"
#include "builder/media_files.h"
#include "builder/quiz_source.h"
#include "builder/resource_directory.h"

constexpr char PatchType[] = "PATCH";
constexpr char ImgType[] = "IMG";
constexpr uint16_t ContentResourceId = 104;
constexpr uint16_t RewardCodesResourceId = 105;

struct QuizResources {
    std::vector<uint8_t> content;      // "PATCH" 104, encoded
    std::vector<uint8_t> rewardCodes;  // "PATCH" 105, encoded
    std::vector<MediaResource> media;  // "IMG"
    int picturesFitted = 0;
};

// Lays out and encodes the content and the reward codes; too large a result
// is an error naming its size and the limit.
bool encodeQuizResources(const QuizSource& source, Diagnostics& diagnostics, QuizResources& resources);

// Replaces every "PATCH" and "IMG" resource of the player with the quiz's,
// keeping all its other resources.
bool buildQuizImage(const std::vector<uint8_t>& player, const QuizResources& resources, std::vector<uint8_t>& out,
                    std::string& reason);

struct BuildRequest {
    std::filesystem::path source;
    std::string sourceName;  // as the user wrote it, for messages
    std::filesystem::path output;
    std::filesystem::path player;
    MediaOptions media;
};

struct BuildOutcome {
    Diagnostics diagnostics;
    std::string failure;  // a problem outside the source (player, output); empty when none
    bool written = false;
    int questionCount = 0;
    int picturesFitted = 0;
    std::size_t outputSize = 0;
};

BuildOutcome buildQuiz(const BuildRequest& request);
