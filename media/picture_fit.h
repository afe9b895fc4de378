#pragma once
// The size a picture takes in a box with its aspect ratio kept, scaled up or
// down until one side meets the box. Portable so it can be tested natively.

constexpr int PictureBox = 260;  // every picture is fitted into 260 x 260

struct PictureSize {
    int width = 0;
    int height = 0;
};

// s = min(W / w, H / h) in double; each side w * s, h * s truncated, but never
// below 1 pixel so a very thin picture still gives a bitmap. Zero size for an
// empty picture or an empty box.
inline PictureSize fitPictureSize(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
    const double byWidth = static_cast<double>(boxWidth) / width;
    const double byHeight = static_cast<double>(boxHeight) / height;
    const double scale = byWidth < byHeight ? byWidth : byHeight;
    PictureSize fitted{static_cast<int>(width * scale), static_cast<int>(height * scale)};
    if (fitted.width < 1) fitted.width = 1;
    if (fitted.height < 1) fitted.height = 1;
    return fitted;
}
