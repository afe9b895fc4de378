#pragma once
// The saved answers file: one CR LF line per AnswerSlot, in slot order, code
// page 1252 bytes as the boxes hold them. Name, reader and writer bytes; the
// file I/O itself lives in answers_file_win.cpp.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The executable's file name (after the last backslash) with its last three
// characters replaced by "txt": C:\Quiz\PLAYER.EXE gives PLAYER.txt. A name
// of fewer than three characters gets "txt" in place of what it has.
std::string answersFileName(std::string_view modulePath);

// Reads the file's lines one at a time. A line ends at its CR; whatever
// follows up to the next LF is skipped with it. A LF without a CR belongs to
// the text; the end of the bytes ends the last line. Lines are cut to 259
// bytes (what an answer box holds). After the end every line is empty.
class AnswerLineReader {
public:
    AnswerLineReader() = default;
    explicit AnswerLineReader(std::string_view bytes) : bytes_(bytes) {}
    std::string readAnswerLine();
    std::size_t readPosition() const { return position_; }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// The bytes of a whole file: "%s\r\n" per slot, an empty line for a slot
// without an answer box (nullopt). Texts are cut to 259 bytes.
std::string answersFileBytes(const std::vector<std::optional<std::string>>& slots);
