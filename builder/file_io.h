#pragma once
// Whole-file reads, and all-or-nothing writes: a temporary file beside the
// target, then a rename over it, so a failed build leaves no partial file.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

bool readFileBytes(const std::filesystem::path& file, std::vector<uint8_t>& bytes);

// On failure `reason` says why (French) and neither the target nor the
// temporary file is left behind.
bool writeFileAtomic(const std::filesystem::path& target, const uint8_t* data, std::size_t size,
                     std::string& reason);

inline bool writeFileAtomic(const std::filesystem::path& target, const std::vector<uint8_t>& bytes,
                            std::string& reason) {
    return writeFileAtomic(target, bytes.data(), bytes.size(), reason);
}

// Paths given by the user are UTF-8 on every system.
std::filesystem::path pathFromUtf8(const std::string& utf8);
std::string pathToUtf8(const std::filesystem::path& path);
