#pragma once
// Shared helpers of the builder tests: a scratch folder, the player to patch,
// and decoding of the content resources.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "builder/file_io.h"
#include "content/lzw_codec.h"

struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder() {
        std::random_device random;
        path = std::filesystem::temp_directory_path() / ("zelto-builder-test-" + std::to_string(random()));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return path / name;
    }
    std::filesystem::path write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        return write(name, std::string(bytes.begin(), bytes.end()));
    }
};

// The first player executable that exists, or empty.
inline std::string testPlayer() {
    std::stringstream candidates(ZELTO_TEST_PLAYERS);
    std::string candidate;
    while (std::getline(candidates, candidate, '|'))
        if (!candidate.empty() && std::filesystem::is_regular_file(candidate)) return candidate;
    return {};
}

inline std::string tinyPe() {
    std::string path = ZELTO_TEST_TINY_PE;
    return !path.empty() && std::filesystem::is_regular_file(path) ? path : std::string();
}

inline std::vector<uint8_t> decodeResource(const std::vector<uint8_t>& encoded) {
    LzwBuffer buffer;
    int32_t length = 0;
    EXPECT_EQ(lzwDecode(encoded.data(), static_cast<int32_t>(encoded.size()), buffer, length), LzwOk);
    if (!buffer || length < 2) return {};
    return std::vector<uint8_t>(buffer.get(), buffer.get() + length - 2);
}

inline std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }
