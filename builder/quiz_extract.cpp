#include "builder/quiz_extract.h"

#include <cstdio>

#include "builder/file_io.h"
#include "builder/media_files.h"
#include "builder/pe_image.h"
#include "builder/quiz_build.h"
#include "builder/resource_directory.h"
#include "builder/toml_writer.h"
#include "content/lzw_codec.h"

namespace {

// Decoded bytes of a "PATCH" resource.
bool decodePatch(const ResourceList& resources, uint16_t id, std::vector<uint8_t>& decoded, std::string& reason) {
    const ResourceEntry* entry = findResource(resources, ResourceName::fromText(PatchType), id);
    if (!entry) {
        reason = "pas de ressource PATCH " + std::to_string(id) + " : ce n'est pas un quiz Zelto";
        return false;
    }
    if (entry->data.size() > static_cast<std::size_t>(INT32_MAX)) {
        reason = "ressource PATCH " + std::to_string(id) + " trop grande";
        return false;
    }
    LzwBuffer buffer;
    int32_t length = 0;
    int32_t result = lzwDecode(entry->data.data(), static_cast<int32_t>(entry->data.size()), buffer, length);
    if (result != LzwOk || !buffer || length < 2) {
        reason = "ressource PATCH " + std::to_string(id) + " illisible (code " + std::to_string(result) + ")";
        return false;
    }
    // The decoder reports two more than the bytes it wrote.
    decoded.assign(buffer.get(), buffer.get() + (length - 2));
    return true;
}

std::string numbered(const char* stem, int number, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "%s-%02d.%s", stem, number, extension);
    return name;
}

}  // namespace

bool extractQuiz(const std::vector<uint8_t>& executable, ExtractedQuiz& quiz, std::string& reason) {
    PeImage pe;
    ResourceList resources;
    if (!readPeImage(executable.data(), executable.size(), pe, reason)) return false;
    if (!readResources(executable.data(), executable.size(), pe, resources, reason)) return false;

    std::vector<uint8_t> content, codes;
    if (!decodePatch(resources, ContentResourceId, content, reason)) return false;
    if (!decodePatch(resources, RewardCodesResourceId, codes, reason)) return false;
    ExtractedQuiz result;
    if (parseQuizContent(content.data(), content.size(), result.content) != ContentError::None) {
        reason = "contenu du quiz (PATCH 104) incohérent";
        return false;
    }
    int32_t count = static_cast<int32_t>(result.content.questions.size());
    if (parseRewardCodes(codes.data(), codes.size(), count, result.rewardCodes) != ContentError::None) {
        reason = "codes du quiz (PATCH 105) incohérents";
        return false;
    }

    const char* extension = result.content.kind == KindSound   ? "mp3"
                            : result.content.kind == KindVideo ? "avi"
                                                               : "jpg";
    ResourceName img = ResourceName::fromText(ImgType);
    std::vector<ExtractedMediaNames> names(result.content.questions.size());
    std::vector<ExtractedFile> media;
    for (int q = 1; q <= count; ++q) {
        if (result.content.kind != KindText) {
            if (const ResourceEntry* e = findResource(resources, img, static_cast<uint16_t>(QuestionMediaId + q))) {
                names[q - 1].media = numbered("question", q, extension);
                media.push_back({names[q - 1].media, e->data});
            }
        }
        if (const ResourceEntry* e = findResource(resources, img, static_cast<uint16_t>(AnswerPictureId + q))) {
            names[q - 1].answerPicture = numbered("reponse", q, "jpg");
            media.push_back({names[q - 1].answerPicture, e->data});
        }
    }
    std::string text = quizSourceText(result.content, result.rewardCodes, names);
    result.files.push_back({ExtractedSourceName, std::vector<uint8_t>(text.begin(), text.end())});
    for (ExtractedFile& f : media) result.files.push_back(std::move(f));
    quiz = std::move(result);
    return true;
}

bool writeExtractedQuiz(const ExtractedQuiz& quiz, const std::filesystem::path& folder, std::string& reason) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        reason = "impossible de créer le dossier " + pathToUtf8(folder) + " : " + ec.message();
        return false;
    }
    for (const ExtractedFile& f : quiz.files)
        if (!writeFileAtomic(folder / f.name, f.bytes, reason)) return false;
    return true;
}
