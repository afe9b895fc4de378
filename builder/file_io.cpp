#include "builder/file_io.h"

#include <fstream>
#include <random>

namespace fs = std::filesystem;

bool readFileBytes(const fs::path& file, std::vector<uint8_t>& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0) in.read(reinterpret_cast<char*>(bytes.data()), size);
    return static_cast<bool>(in);
}

bool writeFileAtomic(const fs::path& target, const uint8_t* data, std::size_t size, std::string& reason) {
    std::random_device random;
    fs::path temporary = target;
    temporary += ".tmp" + std::to_string(random() % 1000000);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            reason = "impossible de créer le fichier " + pathToUtf8(temporary);
            return false;
        }
        if (size) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            reason = "écriture impossible de " + pathToUtf8(temporary) + " (disque plein ?)";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        reason = "impossible de remplacer " + pathToUtf8(target) + " : " + ec.message();
        return false;
    }
    return true;
}

fs::path pathFromUtf8(const std::string& utf8) { return fs::u8path(utf8); }

std::string pathToUtf8(const fs::path& path) {
    auto text = path.u8string();
    return std::string(text.begin(), text.end());
}
