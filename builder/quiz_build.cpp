#include "builder/quiz_build.h"

#include "builder/answer_warnings.h"
#include "builder/file_io.h"
#include "builder/pe_resource_writer.h"
#include "content/lzw_codec.h"

namespace {

void encodeOne(const std::vector<uint8_t>& bytes, const QuizSource& source, const char* what,
               Diagnostics& diagnostics, std::vector<uint8_t>& encoded) {
    // The layout writer refuses content that the reader has already
    // reported (a text too long, a '|' in a field, too many questions).
    if (bytes.empty()) {
        if (!diagnostics.hasErrors()) diagnostics.error(source.file, 0, what, "contenu impossible à écrire");
        return;
    }
    if (bytes.size() > static_cast<std::size_t>(LzwMaxInput)) {
        diagnostics.error(source.file, 0, what,
                          "trop volumineux : " + std::to_string(bytes.size()) + " octets avant codage (au plus " +
                              std::to_string(LzwMaxInput) + ") ; raccourcissez les textes ou retirez des questions");
        return;
    }
    LzwBuffer buffer;
    int32_t length = 0;
    int32_t result = lzwEncode(bytes.data(), static_cast<int32_t>(bytes.size()), buffer, length);
    if (result == LzwErrTooLarge) {
        diagnostics.error(source.file, 0, what,
                          "trop volumineux : plus de " + std::to_string(LzwEncodeCapacity) +
                              " octets une fois codé (au plus " + std::to_string(LzwEncodeCapacity) + ", " +
                              std::to_string(bytes.size()) + " octets avant codage)");
        return;
    }
    if (result != LzwOk || !buffer) {
        diagnostics.error(source.file, 0, what, "échec du codage (code " + std::to_string(result) + ")");
        return;
    }
    int32_t size = lzwEncodeOutputSize();
    encoded.assign(buffer.get(), buffer.get() + size);
}

}  // namespace

bool encodeQuizResources(const QuizSource& source, Diagnostics& diagnostics, QuizResources& resources) {
    int before = diagnostics.errorCount();
    encodeOne(writeQuizContent(source.content), source, "contenu du quiz", diagnostics, resources.content);
    encodeOne(writeRewardCodes(source.rewardCodes), source, "codes", diagnostics, resources.rewardCodes);
    return diagnostics.errorCount() == before;
}

bool buildQuizImage(const std::vector<uint8_t>& player, const QuizResources& quiz, std::vector<uint8_t>& out,
                    std::string& reason) {
    PeImage pe;
    if (!readPeImage(player.data(), player.size(), pe, reason)) return false;
    ResourceList resources;
    if (!readResources(player.data(), player.size(), pe, resources, reason)) return false;
    // A quiz built earlier leaves nothing behind: all its resources go.
    ResourceName patch = ResourceName::fromText(PatchType);
    ResourceName img = ResourceName::fromText(ImgType);
    removeResourcesOfType(resources, patch);
    removeResourcesOfType(resources, img);
    putResource(resources, {patch, ResourceName::fromId(ContentResourceId), LanguageNeutral, 0, quiz.content});
    putResource(resources, {patch, ResourceName::fromId(RewardCodesResourceId), LanguageNeutral, 0, quiz.rewardCodes});
    for (const MediaResource& m : quiz.media)
        putResource(resources, {img, ResourceName::fromId(m.id), LanguageNeutral, 0, m.bytes});
    return writeImageWithResources(player, resources, out, reason);
}

BuildOutcome buildQuiz(const BuildRequest& request) {
    BuildOutcome outcome;
    Diagnostics& d = outcome.diagnostics;
    QuizSource source = readQuizSource(request.source, request.sourceName, d);
    if (!source.content.questions.empty()) warnAboutAnswers(source, d);

    QuizResources resources;
    QuizMedia media = loadQuizMedia(source, request.media, d);
    resources.media = std::move(media.resources);
    resources.picturesFitted = media.picturesFitted;
    if (!source.content.questions.empty()) encodeQuizResources(source, d, resources);

    std::vector<uint8_t> player;
    if (!readFileBytes(request.player, player)) {
        outcome.failure = "lecteur introuvable ou illisible : " + pathToUtf8(request.player);
        return outcome;
    }
    if (d.hasErrors()) return outcome;

    std::vector<uint8_t> image;
    std::string reason;
    if (!buildQuizImage(player, resources, image, reason)) {
        outcome.failure = pathToUtf8(request.player) + " : " + reason;
        return outcome;
    }
    if (!writeFileAtomic(request.output, image, reason)) {
        outcome.failure = reason;
        return outcome;
    }
    outcome.written = true;
    outcome.questionCount = static_cast<int>(source.content.questions.size());
    outcome.picturesFitted = resources.picturesFitted;
    outcome.outputSize = image.size();
    return outcome;
}
