// Writes the starting corpora of the fuzz targets from valid samples:
// <dir>/content holds decoded content layouts and reward-code lines,
// <dir>/lzw holds the code streams of those samples and of a few inputs
// that make the encoder widen and reset its dictionary.

#include "content/lzw_codec.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Sample {
    std::string name;
    Bytes bytes;
};

Bytes layout(uint8_t kindByte, uint8_t answers, const std::vector<std::string>& questions,
             uint8_t hintMode, int hintFieldsPerQuestion) {
    std::string text;
    text += char(0);
    text += char(kindByte);
    text += char(questions.size());
    text += char(answers);
    text += "Capitales|Moi|Europe|R\xE9ponse|Pays|";
    for (std::size_t i = 0; i < questions.size(); ++i) {
        text += questions[i] + "|";
        if (answers == 2) text += "Second " + questions[i] + "|";
        text += "Question " + std::to_string(i + 1) + " : o\xF9 est " + questions[i] + " ?|";
    }
    text += char(hintMode);
    for (std::size_t i = 0; i < questions.size(); ++i)
        for (int h = 0; h < hintFieldsPerQuestion; ++h) text += "Indice " + std::to_string(h) + "|";
    text += "\x5A\x5F\x96";
    return Bytes(text.begin(), text.end());
}

std::vector<Sample> contentSamples() {
    const std::vector<std::string> cities = {"PARIS", "TOKYO", "ROME", "LIMA"};
    std::vector<Sample> samples = {
        {"text-hints-2", layout(1, 1, {"PARIS", "TOKYO"}, 2, 1)},
        {"picture-no-hints", layout(2, 1, cities, 0, 0)},
        {"picture-answer-pictures", layout(2, 2, cities, 1, 0)},
        {"sound-message-hints", layout(3, 2, cities, 3, 2)},
        {"video-hints-at-end", layout(4, 1, cities, 4, 1)},
        {"no-questions", layout(1, 1, {}, 2, 0)},
        {"unknown-hint-mode", layout(1, 1, cities, 9, 0)},
    };
    std::string codes;
    for (int i = 1; i <= 4; ++i) codes += "CODE-" + std::to_string(i * 37) + "\r\n";
    samples.push_back({"reward-codes", Bytes(codes.begin(), codes.end())});
    samples.push_back({"reward-codes-bare-cr", Bytes{4, 'A', '\r', 'x', 0, 'B', '\r', '\n'}});
    return samples;
}

std::vector<Sample> plainSamples() {
    std::vector<Sample> samples = contentSamples();
    samples.push_back({"widening", Bytes(255 * 256 / 2, 'a')});
    std::mt19937 rng(42);
    Bytes small(9000);
    for (auto& b : small) b = uint8_t('a' + rng() % 5);
    samples.push_back({"resets", small});
    std::string french;
    while (french.size() < 6000)
        french += "La question suivante porte sur le ch\xE2teau de Versailles, o\xF9 v\xE9" "cut le roi. ";
    samples.push_back({"french", Bytes(french.begin(), french.end())});
    return samples;
}

bool writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <directory>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root / "content");
    std::filesystem::create_directories(root / "lzw");

    for (const Sample& sample : contentSamples())
        if (!writeFile(root / "content" / sample.name, sample.bytes)) return 1;

    for (const Sample& sample : plainSamples()) {
        LzwBuffer stream;
        int32_t length = 0;
        if (lzwEncode(sample.bytes.data(), int32_t(sample.bytes.size()), stream, length) != LzwOk) {
            std::fprintf(stderr, "make_seeds: cannot encode %s\n", sample.name.c_str());
            return 1;
        }
        if (!writeFile(root / "lzw" / sample.name, Bytes(stream.get(), stream.get() + length - 1)))
            return 1;
    }
    return 0;
}
