#include "builder/picture_fit.h"

#include <climits>
#include <cstdlib>
#include <memory>

#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

constexpr int RgbChannels = 3;

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool looksLikeJpeg(const std::vector<uint8_t>& b) {
    return b.size() >= 4 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF;
}

bool looksLikeMp3(const std::vector<uint8_t>& b) {
    if (b.size() >= 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3') return true;
    // An MPEG audio frame header: 11 sync bits, a layer that is not 0.
    return b.size() >= 4 && b[0] == 0xFF && (b[1] & 0xE0) == 0xE0 && (b[1] & 0x06) != 0;
}

bool looksLikeAvi(const std::vector<uint8_t>& b) {
    return b.size() >= 12 && b[0] == 'R' && b[1] == 'I' && b[2] == 'F' && b[3] == 'F' && b[8] == 'A' &&
           b[9] == 'V' && b[10] == 'I' && b[11] == ' ';
}

bool jpegIsProgressive(const std::vector<uint8_t>& jpeg) {
    constexpr uint8_t StartOfScan = 0xDA, ProgressiveFrame = 0xC2, ProgressiveArithmetic = 0xCA;
    std::size_t at = 2;  // after the start-of-image marker
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        uint8_t marker = jpeg[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == ProgressiveFrame || marker == ProgressiveArithmetic) return true;
        if (marker == StartOfScan) return false;
        at += 2 + ((static_cast<std::size_t>(jpeg[at + 2]) << 8) | jpeg[at + 3]);
    }
    return false;
}

bool jpegSize(const std::vector<uint8_t>& jpeg, PictureSize& size) {
    if (!looksLikeJpeg(jpeg) || jpeg.size() > static_cast<std::size_t>(INT_MAX)) return false;
    int components = 0;
    return stbi_info_from_memory(jpeg.data(), static_cast<int>(jpeg.size()), &size.width, &size.height,
                                 &components) != 0;
}

PictureResult fitPicture(const std::vector<uint8_t>& jpeg, bool keepOriginal, std::vector<uint8_t>& stored) {
    if (!looksLikeJpeg(jpeg)) return PictureResult::NotJpeg;
    PictureSize size;
    if (!jpegSize(jpeg, size)) return PictureResult::Undecodable;
    if (keepOriginal || (size.width <= PictureBox && size.height <= PictureBox)) {
        stored = jpeg;
        return PictureResult::Stored;
    }
    int width = 0, height = 0, components = 0;
    std::unique_ptr<unsigned char, StbFree> pixels(
        stbi_load_from_memory(jpeg.data(), static_cast<int>(jpeg.size()), &width, &height, &components, RgbChannels));
    if (!pixels) return PictureResult::Undecodable;
    const PictureSize fitted = playerFittedSize(width, height);
    std::vector<unsigned char> scaled(static_cast<std::size_t>(fitted.width) * fitted.height * RgbChannels);
    // Gamma-correct resampling with stb's default filters (Mitchell when shrinking).
    if (!stbir_resize_uint8_srgb(pixels.get(), width, height, 0, scaled.data(), fitted.width, fitted.height, 0,
                                 RgbChannels, STBIR_ALPHA_CHANNEL_NONE, 0))
        return PictureResult::EncodeFailed;
    std::vector<uint8_t> out;
    if (!stbi_write_jpg_to_func(appendBytes, &out, fitted.width, fitted.height, RgbChannels, scaled.data(),
                                FittedJpegQuality))
        return PictureResult::EncodeFailed;
    stored = std::move(out);
    return PictureResult::Fitted;
}
