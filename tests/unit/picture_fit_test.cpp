#include "media/picture_fit.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(PictureFit, KeepsTheAspectRatioAndMeetsTheBox) {
    struct Case {
        int width, height, fittedWidth, fittedHeight;
    };
    // Up as well as down; truncation toward zero (301 x 300 loses a row).
    const Case table[] = {
        {300, 300, 260, 260}, {301, 300, 260, 259}, {300, 301, 259, 260}, {100, 50, 260, 130},
        {520, 1040, 130, 260}, {260, 260, 260, 260}, {1, 1, 260, 260},   {3, 1, 260, 86},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const PictureSize fitted = fitPictureSize(c.width, c.height, 260, 260);
        EXPECT_EQ(fitted.width, c.fittedWidth);
        EXPECT_EQ(fitted.height, c.fittedHeight);
    }
}

TEST(PictureFit, ANonSquareBoxLimitsByItsTighterSide) {
    const PictureSize fitted = fitPictureSize(400, 200, 100, 300);
    EXPECT_EQ(fitted.width, 100);
    EXPECT_EQ(fitted.height, 50);
}

TEST(PictureFit, AVeryThinPictureKeepsOnePixel) {
    const PictureSize fitted = fitPictureSize(5000, 1, 260, 260);
    EXPECT_EQ(fitted.width, 260);
    EXPECT_EQ(fitted.height, 1);
}

TEST(PictureFit, EmptyPictureOrBoxGivesNoSize) {
    for (const auto& [w, h, bw, bh] : {std::tuple{0, 10, 260, 260}, std::tuple{10, -1, 260, 260},
                                        std::tuple{10, 10, 0, 260}, std::tuple{10, 10, 260, -5}}) {
        const PictureSize fitted = fitPictureSize(w, h, bw, bh);
        EXPECT_EQ(fitted.width, 0);
        EXPECT_EQ(fitted.height, 0);
    }
}
