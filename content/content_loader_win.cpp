#include "content/content_loader.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/resource_bytes.h"
#include "content/content_format.h"
#include "content/lzw_codec.h"

namespace {

constexpr const char* ContentType = "PATCH";
constexpr int QuizContentId = 104;
constexpr int RewardCodesId = 105;

constexpr const char* LoaderCaption = "Zelto";
constexpr const char* ContentErrorText = "Erreur dans le d\xE9" "cryptage des reponses";
constexpr const char* CodesErrorText = "Erreur dans le d\xE9" "cryptage des codes";
constexpr const char* OutOfMemoryText = "Impossible d'allouer la memoire";
constexpr const char* OutOfMemoryCaption = "information";

// The decoder reports the bytes it wrote plus 2.
constexpr int32_t DecodedLengthExtra = 2;

struct Decoded {
    LzwBuffer bytes;
    std::size_t length = 0;
};

void showOutOfMemory() { MessageBoxA(nullptr, OutOfMemoryText, OutOfMemoryCaption, MB_OK); }

void showLoaderError(const char* text) { MessageBoxA(nullptr, text, LoaderCaption, MB_OK); }

// Decodes one "PATCH" resource; false when it is missing or does not decode.
// The resource is released before this returns.
bool decodeResource(int id, Decoded& out) {
    LzwBuffer bytes;
    int32_t reported = 0;
    {
        ResourceBytes resource(nullptr, ContentType, id);
        if (resource.empty() || resource.size() > static_cast<std::size_t>(INT32_MAX)) return false;
        const int32_t result = lzwDecode(resource.data(), static_cast<int32_t>(resource.size()), bytes, reported);
        if (result != LzwOk || !bytes) return false;
    }
    int32_t length = reported - DecodedLengthExtra;
    if (length < 0) length = 0;
    if (length > LzwDecodeCapacity) length = LzwDecodeCapacity;
    out.bytes = std::move(bytes);
    out.length = static_cast<std::size_t>(length);
    return true;
}

bool loadQuestions(Quiz& quiz, QuizGdi& gdi) {
    Decoded decoded;
    if (!decodeResource(QuizContentId, decoded)) return false;
    QuizContent content;
    if (parseQuizContent(decoded.bytes.get(), decoded.length, content) != ContentError::None) return false;
    applyQuizContent(content, quiz);
    setBackgroundBrush(gdi, quiz);
    return true;
}

bool loadRewardCodes(Quiz& quiz) {
    Decoded decoded;
    if (!decodeResource(RewardCodesId, decoded)) return false;
    std::vector<std::string> codes;
    if (parseRewardCodes(decoded.bytes.get(), decoded.length, quiz.questionCount, codes) != ContentError::None)
        return false;
    applyRewardCodes(codes, quiz);
    return true;
}

}  // namespace

bool loadQuizContent(Quiz& quiz, QuizGdi& gdi) {
    lzwSetOutOfMemoryHandler(showOutOfMemory);
    if (!loadQuestions(quiz, gdi)) {
        showLoaderError(ContentErrorText);
        quiz.questionCount = 0;
        return false;
    }
    if (!loadRewardCodes(quiz)) showLoaderError(CodesErrorText);
    return true;
}
