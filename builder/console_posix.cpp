#include <cstdio>
#include <filesystem>

#include "builder/console.h"

std::vector<std::string> commandLineArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void printOut(const std::string& utf8) { std::fputs(utf8.c_str(), stdout); }

void printError(const std::string& utf8) { std::fputs(utf8.c_str(), stderr); }

std::string executableFolder() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}
