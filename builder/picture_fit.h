#pragma once
// Pictures are fitted at build time to the size the player would scale them
// to, so the executable does not carry pixels nobody sees.

#include <cstdint>
#include <vector>

#include "media/picture_fit.h"

constexpr int FittedJpegQuality = 90;

// The size the player scales a w x h picture to: the player's own rule.
inline PictureSize playerFittedSize(int width, int height) {
    return fitPictureSize(width, height, PictureBox, PictureBox);
}

bool looksLikeJpeg(const std::vector<uint8_t>& bytes);
bool looksLikeMp3(const std::vector<uint8_t>& bytes);
bool looksLikeAvi(const std::vector<uint8_t>& bytes);

enum class PictureResult { Stored, Fitted, NotJpeg, Undecodable, EncodeFailed };

// Pictures larger than the box become a baseline JPEG of exactly the size the
// player would scale them to; the others, or all with keepOriginal, are
// stored as given. `stored` receives the bytes to embed.
PictureResult fitPicture(const std::vector<uint8_t>& jpeg, bool keepOriginal, std::vector<uint8_t>& stored);

// Whether a JPEG's frame is progressive (SOF2): some Windows picture decoders
// show only baseline JPEGs.
bool jpegIsProgressive(const std::vector<uint8_t>& jpeg);

// Width and height of a JPEG, without decoding it.
bool jpegSize(const std::vector<uint8_t>& jpeg, PictureSize& size);
