#include "content/content_format.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

constexpr uint8_t FieldEnd = '|';
constexpr uint8_t LineEnd = 0x0D;  // CR
constexpr uint8_t LineFeed = 0x0A;
constexpr int32_t KindByteFirst = KindText + 1;
constexpr int32_t KindByteLast = KindVideo + 1;

// A bounds-checked cursor over the decoded bytes.
struct Reader {
    const uint8_t* bytes;
    std::size_t length;
    std::size_t pos = 0;

    bool readByte(uint8_t& out) {
        if (pos >= length) return false;
        out = bytes[pos++];
        return true;
    }

    // The bytes up to `separator` (not included), without zero bytes and cut to
    // 259; the rest of an over-long text is skipped. Afterwards the position is
    // `stepOver` bytes past the separator (never past the end). False when the
    // bytes end before the separator.
    bool readText(uint8_t separator, std::size_t stepOver, std::string& out) {
        std::string text;
        for (std::size_t at = pos; at < length; ++at) {
            const uint8_t byte = bytes[at];
            if (byte == separator) {
                pos = std::min(length, at + stepOver);
                out = std::move(text);
                return true;
            }
            if (byte != 0 && text.size() < TextMaxLength) text.push_back(static_cast<char>(byte));
        }
        return false;
    }

    bool readField(std::string& out) { return readText(FieldEnd, 1, out); }
};

bool hasHintFields(int32_t hintMode) {
    return hintMode == HintShowLabel || hintMode == HintShowMessage || hintMode == HintAllAtEnd;
}

// A text the parser would read back unchanged between separators.
bool writable(const std::string& text, char separator) {
    return text.size() <= TextMaxLength && text.find(separator) == std::string::npos &&
           text.find('\0') == std::string::npos;
}

void putField(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(FieldEnd);
}

}  // namespace

ContentError parseQuizContent(const uint8_t* bytes, std::size_t length, QuizContent& content) {
    if (!bytes) length = 0;
    Reader in{bytes, length};
    QuizContent parsed;

    uint8_t kindByte = 0, countByte = 0, answersByte = 0;
    if (!in.readByte(parsed.leadByte) || !in.readByte(kindByte) || !in.readByte(countByte) ||
        !in.readByte(answersByte))
        return ContentError::Truncated;
    if (kindByte < KindByteFirst || kindByte > KindByteLast) return ContentError::BadKind;
    if (countByte > MaxQuestions) return ContentError::TooManyQuestions;
    if (answersByte != 1 && answersByte != 2) return ContentError::BadAnswerCount;
    parsed.kind = kindByte - 1;
    parsed.answersPerQuestion = answersByte;

    for (std::string* field : {&parsed.title, &parsed.author, &parsed.subtitle,
                               &parsed.answerCaption1, &parsed.answerCaption2})
        if (!in.readField(*field)) return ContentError::Truncated;

    parsed.questions.resize(countByte);
    for (ContentQuestion& question : parsed.questions) {
        if (!in.readField(question.answer1)) return ContentError::Truncated;
        if (parsed.answersPerQuestion == 2 && !in.readField(question.answer2))
            return ContentError::Truncated;
        if (!in.readField(question.label)) return ContentError::Truncated;
    }

    if (!in.readByte(parsed.hintMode)) return ContentError::Truncated;
    if (hasHintFields(parsed.hintMode)) {
        for (ContentQuestion& question : parsed.questions) {
            if (!in.readField(question.hint)) return ContentError::Truncated;
            if (parsed.hintMode == HintShowMessage && !in.readField(question.secondHint))
                return ContentError::Truncated;
        }
    }

    if (!in.readByte(parsed.red) || !in.readByte(parsed.green) || !in.readByte(parsed.blue))
        return ContentError::Truncated;

    content = std::move(parsed);
    return ContentError::None;
}

// A CR that is the very last byte ends its line: the byte after it is only
// stepped over, and the writer always puts an LF there, so a missing final LF
// loses nothing.
ContentError parseRewardCodes(const uint8_t* bytes, std::size_t length, int32_t count,
                              std::vector<std::string>& codes) {
    if (count > MaxQuestions) return ContentError::TooManyQuestions;
    if (!bytes) length = 0;
    Reader in{bytes, length};
    std::vector<std::string> parsed(static_cast<std::size_t>(std::max(count, 0)));
    for (std::string& code : parsed)
        if (!in.readText(LineEnd, 2, code)) return ContentError::Truncated;
    codes = std::move(parsed);
    return ContentError::None;
}

ContentError checkQuizContent(const QuizContent& content) {
    if (content.kind < KindText || content.kind > KindVideo) return ContentError::BadKind;
    if (content.questions.size() > static_cast<std::size_t>(MaxQuestions))
        return ContentError::TooManyQuestions;
    if (content.answersPerQuestion != 1 && content.answersPerQuestion != 2)
        return ContentError::BadAnswerCount;

    const char sep = static_cast<char>(FieldEnd);
    for (const std::string* field : {&content.title, &content.author, &content.subtitle,
                                     &content.answerCaption1, &content.answerCaption2})
        if (!writable(*field, sep)) return ContentError::BadField;
    for (const ContentQuestion& question : content.questions) {
        if (!writable(question.answer1, sep) || !writable(question.label, sep))
            return ContentError::BadField;
        if (content.answersPerQuestion == 2 && !writable(question.answer2, sep))
            return ContentError::BadField;
        if (hasHintFields(content.hintMode) && !writable(question.hint, sep))
            return ContentError::BadField;
        if (content.hintMode == HintShowMessage && !writable(question.secondHint, sep))
            return ContentError::BadField;
    }
    return ContentError::None;
}

ContentError checkRewardCodes(const std::vector<std::string>& codes) {
    if (codes.size() > static_cast<std::size_t>(MaxQuestions)) return ContentError::TooManyQuestions;
    for (const std::string& code : codes)
        if (!writable(code, static_cast<char>(LineEnd))) return ContentError::BadField;
    return ContentError::None;
}

std::vector<uint8_t> writeQuizContent(const QuizContent& content) {
    std::vector<uint8_t> out;
    if (checkQuizContent(content) != ContentError::None) return out;

    out.push_back(content.leadByte);
    out.push_back(static_cast<uint8_t>(content.kind + 1));
    out.push_back(static_cast<uint8_t>(content.questions.size()));
    out.push_back(static_cast<uint8_t>(content.answersPerQuestion));
    for (const std::string* field : {&content.title, &content.author, &content.subtitle,
                                     &content.answerCaption1, &content.answerCaption2})
        putField(out, *field);
    for (const ContentQuestion& question : content.questions) {
        putField(out, question.answer1);
        if (content.answersPerQuestion == 2) putField(out, question.answer2);
        putField(out, question.label);
    }
    out.push_back(content.hintMode);
    if (hasHintFields(content.hintMode)) {
        for (const ContentQuestion& question : content.questions) {
            putField(out, question.hint);
            if (content.hintMode == HintShowMessage) putField(out, question.secondHint);
        }
    }
    out.push_back(content.red);
    out.push_back(content.green);
    out.push_back(content.blue);
    return out;
}

std::vector<uint8_t> writeRewardCodes(const std::vector<std::string>& codes) {
    std::vector<uint8_t> out;
    if (checkRewardCodes(codes) != ContentError::None) return out;
    for (const std::string& code : codes) {
        out.insert(out.end(), code.begin(), code.end());
        out.push_back(LineEnd);
        out.push_back(LineFeed);
    }
    return out;
}

void applyQuizContent(const QuizContent& content, Quiz& quiz) {
    const std::size_t count =
        std::min(content.questions.size(), static_cast<std::size_t>(MaxQuestions));
    const bool hints = hasHintFields(content.hintMode);

    quiz.kind = content.kind;
    quiz.title.assign(content.title);
    quiz.author.assign(content.author);
    quiz.subtitle.assign(content.subtitle);
    quiz.answerCaption1.assign(content.answerCaption1);
    quiz.answerCaption2.assign(content.answerCaption2);
    quiz.questionCount = static_cast<int32_t>(count);
    quiz.answersPerQuestion = content.answersPerQuestion;
    quiz.entries.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const ContentQuestion& question = content.questions[i];
        QuestionEntry* entry = quiz.entries.append(
            question.answer1, content.answersPerQuestion == 2 ? question.answer2 : std::string(),
            question.label);
        if (hints) entry->hint.assign(question.hint);
    }
    quiz.hintMode = content.hintMode;
    quiz.backgroundRed = content.red;
    quiz.backgroundGreen = content.green;
    quiz.backgroundBlue = content.blue;
}

void applyRewardCodes(const std::vector<std::string>& codes, Quiz& quiz) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(MaxQuestions); ++i)
        quiz.rewardCodes[i].assign(i < codes.size() ? std::string_view(codes[i]) : std::string_view());
}

bool operator==(const ContentQuestion& a, const ContentQuestion& b) {
    return a.answer1 == b.answer1 && a.answer2 == b.answer2 && a.label == b.label && a.hint == b.hint &&
           a.secondHint == b.secondHint;
}

bool operator==(const QuizContent& a, const QuizContent& b) {
    return a.leadByte == b.leadByte && a.kind == b.kind && a.answersPerQuestion == b.answersPerQuestion &&
           a.title == b.title && a.author == b.author && a.subtitle == b.subtitle &&
           a.answerCaption1 == b.answerCaption1 && a.answerCaption2 == b.answerCaption2 &&
           a.questions == b.questions && a.hintMode == b.hintMode && a.red == b.red && a.green == b.green &&
           a.blue == b.blue;
}
