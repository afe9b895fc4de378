#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "builder/console.h"

namespace {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string narrow(const wchar_t* wide) {
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(n - 1));
    return utf8;
}

// A real console gets wide text (right whatever its code page); a pipe or a
// file gets the UTF-8 bytes.
void print(DWORD which, FILE* stream, const std::string& utf8) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::wstring wide = widen(utf8);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fputs(utf8.c_str(), stream);
    std::fflush(stream);
}

}  // namespace

std::vector<std::string> commandLineArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

void printOut(const std::string& utf8) { print(STD_OUTPUT_HANDLE, stdout, utf8); }

void printError(const std::string& utf8) { print(STD_ERROR_HANDLE, stderr, utf8); }

std::string executableFolder() {
    wchar_t buffer[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(sizeof buffer / sizeof buffer[0]));
    if (n == 0 || n >= sizeof buffer / sizeof buffer[0]) return {};
    std::string path = narrow(buffer);
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
