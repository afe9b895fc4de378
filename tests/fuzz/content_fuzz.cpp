// Feeds arbitrary decoded bytes to the content and reward-code parsers. What
// parses must be written back by the writers and parse again to the same
// record.

#include "content/content_format.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

bool withinTextSize(const std::string& text) { return text.size() <= TextMaxLength; }

void checkContent(const uint8_t* data, std::size_t size) {
    QuizContent content;
    if (parseQuizContent(data, size, content) != ContentError::None) return;
    require(content.questions.size() <= std::size_t(MaxQuestions));
    require(content.kind >= KindText && content.kind <= KindVideo);
    require(content.answersPerQuestion == 1 || content.answersPerQuestion == 2);
    for (const auto& q : content.questions)
        require(withinTextSize(q.answer1) && withinTextSize(q.answer2) && withinTextSize(q.label) &&
                withinTextSize(q.hint) && withinTextSize(q.secondHint));

    std::vector<uint8_t> written = writeQuizContent(content);
    require(!written.empty());
    QuizContent again;
    require(parseQuizContent(written.data(), written.size(), again) == ContentError::None);
    require(content == again);
}

void checkRewardCodes(const uint8_t* data, std::size_t size) {
    const int32_t count = size > 0 ? data[0] % (MaxQuestions + 1) : 0;
    std::vector<std::string> codes;
    if (parseRewardCodes(data, size, count, codes) != ContentError::None) return;
    require(codes.size() == std::size_t(count));
    for (const auto& code : codes) require(withinTextSize(code));

    std::vector<uint8_t> written = writeRewardCodes(codes);
    std::vector<std::string> again;
    require(parseRewardCodes(written.data(), written.size(), count, again) == ContentError::None);
    require(again == codes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    checkContent(data, size);
    checkRewardCodes(data, size);
    return 0;
}
