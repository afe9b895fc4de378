#include "panel/answers_file.h"

#include <algorithm>

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';
constexpr std::size_t MaxLineLength = 259;  // an answer box holds at most this much
constexpr std::string_view Extension = "txt";

}  // namespace

std::string answersFileName(std::string_view modulePath) {
    const std::size_t slash = modulePath.find_last_of('\\');
    std::string name(slash == std::string_view::npos ? modulePath : modulePath.substr(slash + 1));
    if (name.size() < Extension.size()) return std::string(Extension);
    name.replace(name.size() - Extension.size(), Extension.size(), Extension);
    return name;
}

std::string AnswerLineReader::readAnswerLine() {
    std::string line;
    const std::size_t end = bytes_.size();
    while (position_ < end && bytes_[position_] != CarriageReturn) {
        if (line.size() < MaxLineLength) line.push_back(bytes_[position_]);
        ++position_;
    }
    if (position_ < end) {
        while (position_ < end && bytes_[position_] != LineFeed) ++position_;
    }
    // Past the LF; never beyond the end, so later calls read nothing.
    if (position_ < end) ++position_;
    return line;
}

std::string answersFileBytes(const std::vector<std::optional<std::string>>& slots) {
    std::string bytes;
    for (const auto& slot : slots) {
        if (slot) bytes.append(slot->data(), std::min(slot->size(), MaxLineLength));
        bytes += "\r\n";
    }
    return bytes;
}
