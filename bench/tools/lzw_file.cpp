// Command-line front of the content codec for the comparison with compress:
//   lzw_file samples <dir>               writes french-48k.txt and random-16k.bin
//   lzw_file encode|decode <in> <out> [repeat]
// With repeat, the operation runs that many times in the process and the
// mean CPU time of one run (codec only, no file work) is printed in
// microseconds.

#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/french_text.h"
#include "content/lzw_codec.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Plain stdio keeps the program's start-up close to compress's own.
bool readFile(const char* path, Bytes& bytes) {
    std::FILE* in = std::fopen(path, "rb");
    if (!in) return false;
    uint8_t chunk[16384];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !std::ferror(in);
    std::fclose(in);
    return ok;
}

bool writeFile(const std::string& path, const uint8_t* bytes, std::size_t size) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(bytes, 1, size, out) == size;
    return std::fclose(out) == 0 && ok;
}

int usage() {
    std::fprintf(stderr, "usage: lzw_file samples <dir> | lzw_file encode|decode <in> <out> [repeat]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "samples") == 0) {
        std::string dir = argv[2];
        std::string french = frenchText(48 * 1024);
        Bytes random = randomBytes(16 * 1024);
        bool ok = writeFile(dir + "/french-48k.txt", reinterpret_cast<const uint8_t*>(french.data()),
                            french.size()) &&
                  writeFile(dir + "/random-16k.bin", random.data(), random.size());
        return ok ? 0 : 1;
    }
    if (argc < 4 || argc > 5) return usage();
    const bool encoding = std::strcmp(argv[1], "encode") == 0;
    if (!encoding && std::strcmp(argv[1], "decode") != 0) return usage();
    const long repeat = argc == 5 ? std::strtol(argv[4], nullptr, 10) : 1;
    if (repeat < 1) return usage();

    Bytes input;
    if (!readFile(argv[2], input)) {
        std::fprintf(stderr, "lzw_file: cannot read %s\n", argv[2]);
        return 1;
    }
    LzwBuffer output;
    int32_t length = 0;
    int32_t result = 0;
    const std::clock_t start = std::clock();
    for (long i = 0; i < repeat; ++i) {
        output.reset();
        result = encoding ? lzwEncode(input.data(), int32_t(input.size()), output, length)
                          : lzwDecode(input.data(), int32_t(input.size()), output, length);
        if (result != LzwOk) {
            std::fprintf(stderr, "lzw_file: %s failed with %d\n", argv[1], result);
            return 1;
        }
    }
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    if (argc == 5) std::printf("%.2f\n", seconds * 1e6 / double(repeat));
    const int32_t size = encoding ? length - 1 : length - 2;
    return writeFile(argv[3], output.get(), std::size_t(size)) ? 0 : 1;
}
