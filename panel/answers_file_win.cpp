#include "panel/answers_file_win.h"

#include <optional>
#include <string>
#include <vector>

#include "app/quiz_gdi.h"
#include "content/text260.h"
#include "panel/panel_layout.h"
#include "panel/question_panel.h"

namespace {

// Long enough for any path, so a deep folder never cuts the file name.
constexpr DWORD ModulePathSize = 32768;

// A file handle closed once by its owner.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        if (!valid()) return true;
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};

bool writeAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// Writes the bytes to a fresh file beside `target`, then puts it in the
// target's place: a save that fails half-way leaves the previous answers whole.
bool replaceFile(const std::string& target, const std::string& bytes) {
    char temporary[MAX_PATH] = {};
    if (!GetTempFileNameA(".", "zel", 0, temporary)) return false;
    bool written = false;
    {
        FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file.valid() && writeAll(file.get(), bytes) && FlushFileBuffers(file.get()) &&
                  file.close();
    }
    if (written &&
        MoveFileExA(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}

}  // namespace

std::string answersFileNameOfModule() {
    std::string path(ModulePathSize, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), ModulePathSize);
    path.resize(length < ModulePathSize ? length : 0);
    return answersFileName(path);
}

AnswersFileReader::AnswersFileReader() {
    const std::string name = answersFileNameOfModule();
    file_ = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    // An empty file cannot be mapped; it simply has no lines.
    if (GetFileSizeEx(file_, &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) <= SIZE_MAX) {
        mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping_) view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
    }
    if (view_) {
        lines_ = AnswerLineReader(
            std::string_view(static_cast<const char*>(view_), static_cast<std::size_t>(size.QuadPart)));
        return;
    }
    if (mapping_) CloseHandle(mapping_);
    mapping_ = nullptr;
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

AnswersFileReader::~AnswersFileReader() {
    if (view_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

void saveAnswers(HWND panel) try {
    if (!currentQuiz) return;
    const int slots = currentQuiz->questionCount * currentQuiz->answersPerQuestion;
    std::vector<std::optional<std::string>> texts;
    for (int s = 1; s <= slots; ++s) {
        HWND box = GetDlgItem(panel, AnswerBoxBaseId + s);
        if (!box) {
            texts.emplace_back();
            continue;
        }
        char text[Text260Size] = {};
        GetWindowTextA(box, text, Text260Size);
        texts.emplace_back(std::string(text));
    }
    replaceFile(answersFileNameOfModule(), answersFileBytes(texts));
} catch (...) {
    // Out of memory: the previous file stays as it was.
}
