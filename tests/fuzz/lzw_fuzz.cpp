// Feeds arbitrary bytes to the decoder, then checks that what decodes (and
// the input itself, taken as plain bytes) survives an encode/decode round
// trip, and that the encoder writes what the plain linear-scan encoder writes.

#include "content/lzw_codec.h"
#include "tests/fuzz/lzw_plain_encoder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The plain encoder is slow on long inputs: it checks every short one, and
// one in eight of the longer ones (picked by size, so that a run repeats).
constexpr int32_t PlainEncoderAlways = 2048;
constexpr int32_t PlainEncoderLimit = 16 * 1024;

bool comparedWithPlainEncoder(int32_t size) {
    if (size <= PlainEncoderAlways) return true;
    return size <= PlainEncoderLimit && ((uint32_t(size) * 2654435761u) >> 29) == 0;
}

void require(bool condition) {
    if (!condition) __builtin_trap();
}

void requireRoundTrip(const uint8_t* bytes, int32_t size) {
    LzwBuffer stream;
    int32_t streamLength = 0;
    int32_t result = lzwEncode(bytes, size, stream, streamLength);
    require(result == LzwOk || result == LzwErrNoData || result == LzwErrTooLarge);
    require(stream && streamLength >= 1 && streamLength <= LzwEncodeCapacity + 1);
    if (result == LzwErrNoData) return;
    if (comparedWithPlainEncoder(size)) {
        std::vector<uint8_t> expected = ReferenceEncoder().run(std::vector<uint8_t>(bytes, bytes + size));
        if (expected.size() > std::size_t(LzwEncodeCapacity)) {
            require(result == LzwErrTooLarge);
        } else {
            require(result == LzwOk && std::size_t(streamLength - 1) == expected.size());
            require(std::memcmp(stream.get(), expected.data(), expected.size()) == 0);
        }
    }
    if (result != LzwOk) return;
    require(lzwEncodeOutputSize() == streamLength - 1);

    LzwBuffer decoded;
    int32_t decodedLength = 0;
    require(lzwDecode(stream.get(), streamLength - 1, decoded, decodedLength) == LzwOk);
    require(decodedLength == size + 2);
    require(std::memcmp(decoded.get(), bytes, std::size_t(size)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size > std::size_t(LzwMaxInput) + 16) return -1;  // keep such inputs out of the corpus
    const int32_t inputSize = int32_t(size);

    LzwBuffer output;
    int32_t outputLength = -1;
    int32_t result = lzwDecode(data, inputSize, output, outputLength);
    require(result == LzwOk || result == LzwErrNoData || result == LzwErrBadCode ||
            result == LzwErrTooLarge);
    require(output && outputLength >= 2 && outputLength <= LzwDecodeCapacity + 2);
    require(lzwInputSize() == inputSize && lzwInputConsumed() <= inputSize);

    if (result == LzwOk && outputLength - 2 <= LzwMaxInput) {
        std::vector<uint8_t> decoded(output.get(), output.get() + outputLength - 2);
        if (!decoded.empty()) requireRoundTrip(decoded.data(), int32_t(decoded.size()));
    }
    if (size > 0) requireRoundTrip(data, inputSize);
    return 0;
}
