// Media of a quiz: the fitted picture size, fitting itself, recognising
// media by content, and the errors about media files.

#include <gtest/gtest.h>

#include <stb/stb_image_write.h>

#include <cstdlib>

#include "builder/media_files.h"
#include "builder/picture_fit.h"
#include "builder_test_support.h"

using namespace std::string_literals;

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// A JPEG of the given size with a gradient, so that it is not trivial.
std::vector<uint8_t> makeJpeg(int width, int height) {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = static_cast<uint8_t>(x * 255 / width);
            p[1] = static_cast<uint8_t>(y * 255 / height);
            p[2] = static_cast<uint8_t>((x + y) % 256);
        }
    std::vector<uint8_t> jpeg;
    stbi_write_jpg_to_func(appendBytes, &jpeg, width, height, 3, pixels.data(), 80);
    return jpeg;
}

bool hasMarker(const std::vector<uint8_t>& jpeg, uint8_t marker) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker) return true;
    return false;
}

TEST(PictureFit, FittedSizeIsThePlayersScaledSize) {
    struct Case {
        int w, h, fw, fh;
    };
    const Case cases[] = {
        {300, 300, 260, 260}, {301, 300, 260, 259}, {300, 301, 259, 260}, {100, 50, 260, 130},
        {520, 1040, 130, 260}, {1600, 1200, 260, 195}, {1200, 1600, 195, 260}, {7, 3, 260, 111},
    };
    for (const Case& c : cases) {
        PictureSize s = playerFittedSize(c.w, c.h);
        EXPECT_EQ(s.width, c.fw) << c.w << "x" << c.h;
        EXPECT_EQ(s.height, c.fh) << c.w << "x" << c.h;
    }
}

TEST(PictureFit, LargePicturesBecomeBaselineJpegsOfTheFittedSize) {
    for (auto [w, h] : {std::pair{1600, 1200}, {301, 300}, {261, 100}, {300, 2000}}) {
        std::vector<uint8_t> stored;
        ASSERT_EQ(fitPicture(makeJpeg(w, h), false, stored), PictureResult::Fitted) << w << "x" << h;
        PictureSize size, expected = playerFittedSize(w, h);
        ASSERT_TRUE(jpegSize(stored, size));
        EXPECT_EQ(size.width, expected.width) << w << "x" << h;
        EXPECT_EQ(size.height, expected.height) << w << "x" << h;
        EXPECT_TRUE(hasMarker(stored, 0xC0)) << "baseline frame";
        EXPECT_FALSE(hasMarker(stored, 0xC2)) << "no progressive frame";
    }
}

TEST(PictureFit, PicturesThatFitAndKeptOriginalsAreStoredUnchanged) {
    std::vector<uint8_t> small = makeJpeg(100, 50), exact = makeJpeg(260, 260), large = makeJpeg(800, 600);
    std::vector<uint8_t> stored;
    EXPECT_EQ(fitPicture(small, false, stored), PictureResult::Stored);
    EXPECT_EQ(stored, small);
    EXPECT_EQ(fitPicture(exact, false, stored), PictureResult::Stored);
    EXPECT_EQ(stored, exact);
    EXPECT_EQ(fitPicture(large, true, stored), PictureResult::Stored);
    EXPECT_EQ(stored, large);
}

TEST(PictureFit, NonJpegAndBrokenJpegAreRefused) {
    std::vector<uint8_t> stored;
    EXPECT_EQ(fitPicture(bytesOf("\x89PNG\r\n\x1a\n0000"), false, stored), PictureResult::NotJpeg);
    std::vector<uint8_t> cut = makeJpeg(400, 300);
    cut.resize(20);
    EXPECT_EQ(fitPicture(cut, false, stored), PictureResult::Undecodable);
}

TEST(MediaSniffing, ClipsAreRecognisedByContent) {
    EXPECT_TRUE(looksLikeMp3(bytesOf(std::string("ID3\x04\0\0\0\0\0\0", 10))));
    EXPECT_TRUE(looksLikeMp3(bytesOf("\xFF\xFB\x90\x64")));
    EXPECT_FALSE(looksLikeMp3(bytesOf("\xFF\xD8\xFF\xE0")));  // a JPEG
    EXPECT_TRUE(looksLikeAvi(bytesOf("RIFF\x10\0\0\0AVI LIST"s)));
    EXPECT_FALSE(looksLikeAvi(bytesOf("RIFF\x10\0\0\0WAVEfmt "s)));
    EXPECT_TRUE(looksLikeJpeg(bytesOf("\xFF\xD8\xFF\xE0")));
    EXPECT_FALSE(looksLikeJpeg(bytesOf("GIF89a")));
}

TEST(MediaFiles, EachMediaErrorNamesItsLineAndField) {
    ScratchFolder folder;
    folder.write("photo.png", "\x89PNG\r\n\x1a\n0000");
    folder.write("clip.avi", "RIFF\x10\0\0\0AVI LIST"s);
    folder.write("clip.mp3", "ID3\x04\0\0\0\0\0\0"s);
    folder.write("ok.jpg", makeJpeg(40, 30));
    struct Case {
        const char* toml;
        int line;
        const char* field;
        const char* message;
    };
    const Case cases[] = {
        {"genre = \"image\"\ntitre = \"T\"\ncodes = [\"a\"]\n[[question]]\nreponse = \"R\"\nimage = \"absente.jpg\"\n",
         6, "question 1, image", "fichier introuvable ou illisible : absente.jpg"},
        {"genre = \"image\"\ntitre = \"T\"\ncodes = [\"a\"]\n[[question]]\nreponse = \"R\"\nimage = \"photo.png\"\n",
         6, "question 1, image", "photo.png n'est pas une image JPEG"},
        {"genre = \"son\"\ntitre = \"T\"\ncodes = [\"a\"]\n[[question]]\nreponse = \"R\"\nson = \"clip.avi\"\n",
         6, "question 1, son", "clip.avi n'est pas un son mp3"},
        {"genre = \"vid\xC3\xA9o\"\ntitre = \"T\"\ncodes = [\"a\"]\n[[question]]\nreponse = \"R\"\nvideo = \"clip.mp3\"\n",
         6, "question 1, video", "clip.mp3 n'est pas une vidéo avi"},
        {"genre = \"image\"\ntitre = \"T\"\nindices = 1\ncodes = [\"a\"]\n[[question]]\nreponse = \"R\"\nimage = \"ok.jpg\"\n"
         "image_reponse = \"photo.png\"\n",
         8, "question 1, image_reponse", "n'est pas une image JPEG"},
    };
    for (const Case& c : cases) {
        Diagnostics d;
        QuizSource source = readQuizSourceText(c.toml, "quiz.toml", folder.path, d);
        ASSERT_FALSE(d.hasErrors()) << c.toml;
        loadQuizMedia(source, {}, d);
        ASSERT_EQ(d.errorCount(), 1) << c.toml;
        const Diagnostic& e = d.items.back();
        EXPECT_EQ(e.line, c.line) << c.toml;
        EXPECT_EQ(e.field, c.field);
        EXPECT_NE(e.message.find(c.message), std::string::npos) << e.message;
    }
}

TEST(MediaFiles, AProgressivePictureKeptAsGivenIsWarnedAbout) {
    ScratchFolder folder;
    std::filesystem::path baseline = folder.write("base.jpg", makeJpeg(120, 90));
    std::string command = "convert '" + baseline.string() + "' -interlace JPEG '" + (folder.path / "prog.jpg").string() +
                          "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) GTEST_SKIP() << "ImageMagick's convert is needed to make a progressive JPEG";
    std::vector<uint8_t> progressive;
    ASSERT_TRUE(readFileBytes(folder.path / "prog.jpg", progressive));
    EXPECT_TRUE(jpegIsProgressive(progressive));
    EXPECT_FALSE(jpegIsProgressive(makeJpeg(120, 90)));

    Diagnostics d;
    QuizSource source = readQuizSourceText("genre = \"image\"\ntitre = \"T\"\ncodes = [\"a\", \"b\"]\n"
                                           "[[question]]\nreponse = \"R\"\nimage = \"prog.jpg\"\n"
                                           "[[question]]\nreponse = \"S\"\nimage = \"base.jpg\"\n",
                                           "quiz.toml", folder.path, d);
    loadQuizMedia(source, {}, d);
    ASSERT_EQ(d.items.size(), 1u);
    EXPECT_EQ(d.items[0].severity, Severity::Warning);
    EXPECT_EQ(d.items[0].line, 6);
    EXPECT_NE(d.items[0].message.find("JPEG progressif"), std::string::npos);
}

TEST(MediaFiles, QuestionAndAnswerPicturesGetTheirResourceIds) {
    ScratchFolder folder;
    folder.write("a.jpg", makeJpeg(40, 30));
    folder.write("b.jpg", makeJpeg(500, 500));
    Diagnostics d;
    QuizSource source = readQuizSourceText(
        "genre = \"image\"\ntitre = \"T\"\nindices = \"image-reponse\"\ncodes = [\"a\", \"b\"]\n"
        "[[question]]\nreponse = \"R\"\nimage = \"a.jpg\"\n"
        "[[question]]\nreponse = \"S\"\nimage = \"b.jpg\"\nimage_reponse = \"a.jpg\"\n",
        "quiz.toml", folder.path, d);
    QuizMedia media = loadQuizMedia(source, {}, d);
    ASSERT_FALSE(d.hasErrors());
    ASSERT_EQ(media.resources.size(), 3u);
    EXPECT_EQ(media.resources[0].id, 401);
    EXPECT_EQ(media.resources[1].id, 402);
    EXPECT_EQ(media.resources[2].id, 10402);
    EXPECT_EQ(media.picturesFitted, 1);
}

}  // namespace
