#include "media/clip_file_win.h"

#include <cstring>

#include "app/quiz_gdi.h"

namespace {

constexpr DWORD CompareChunkSize = 4096;
const char* const InfoCaption = "Information";
const char* const SoundLoadFailed = "Impossible de charger le fichier audio.";
const char* const VideoLoadFailed = "Impossible de charger le fichier vid\xE9o.";

// One file handle, closed once.
struct FileHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    explicit FileHandle(HANDLE h) : handle(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    bool valid() const { return handle != INVALID_HANDLE_VALUE; }
    bool close() {
        if (!valid()) return true;
        bool closed = CloseHandle(handle) != 0;
        handle = INVALID_HANDLE_VALUE;
        return closed;
    }
};

// Every resource lock is freed once its bytes are used.
struct ResourceLoad {
    HGLOBAL handle = nullptr;
    explicit ResourceLoad(HGLOBAL h) : handle(h) {}
    ResourceLoad(const ResourceLoad&) = delete;
    ResourceLoad& operator=(const ResourceLoad&) = delete;
    ~ResourceLoad() {
        if (handle) FreeResource(handle);
    }
};

bool writeAll(const std::string& name, const void* bytes, DWORD size) {
    FileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    bool ok = WriteFile(file.handle, bytes, size, &written, nullptr) && written == size;
    return file.close() && ok;
}

// A clip file that an outside program still holds (the shell's player of
// an earlier play) cannot be replaced; it may already hold this very clip.
bool holdsExactly(const std::string& name, const void* bytes, DWORD size) {
    FileHandle file(CreateFileA(name.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    LARGE_INTEGER fileSize{};
    if (!GetFileSizeEx(file.handle, &fileSize) || fileSize.QuadPart != LONGLONG(size)) return false;
    const char* expected = static_cast<const char*>(bytes);
    char chunk[CompareChunkSize];
    for (DWORD done = 0; done < size;) {
        DWORD want = size - done < CompareChunkSize ? size - done : DWORD(CompareChunkSize);
        DWORD read = 0;
        if (!ReadFile(file.handle, chunk, want, &read, nullptr) || read != want) return false;
        if (std::memcmp(chunk, expected + done, want) != 0) return false;
        done += want;
    }
    return true;
}

// All or nothing: the clip goes to a temporary file beside the target and
// is renamed over it only once complete, so the player never opens half a clip.
bool writeClipFile(const std::string& name, const void* bytes, DWORD size) {
    std::string temporary = name + ".tmp";
    if (!writeAll(temporary, bytes, size)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    if (MoveFileExA(temporary.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    DeleteFileA(temporary.c_str());
    return holdsExactly(name, bytes, size);
}

}  // namespace

int extractClip(HWND, int32_t resourceId, ClipType type) {
    if (!currentQuiz || (type != ClipSound && type != ClipVideo)) return 0;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "img");
    if (!resource) return 0;
    DWORD size = SizeofResource(module, resource);
    ResourceLoad loaded(LoadResource(module, resource));
    if (!loaded.handle) {
        MessageBoxA(nullptr, type == ClipSound ? SoundLoadFailed : VideoLoadFailed, InfoCaption, MB_OK);
        return 0;
    }
    const void* bytes = LockResource(loaded.handle);
    if (!bytes) return 0;
    std::string name = clipFileName(currentQuiz->mediaDirectory, type, resourceId - ClipResourceBase);
    return writeClipFile(name, bytes, size) ? 1 : 0;
}

void deleteClipFile(const std::string& name) { DeleteFileA(name.c_str()); }
