// The PE resource writer: a template's own resources survive, a previous quiz
// leaves nothing behind, the headers stay consistent, rebuilding does not
// grow the file, and images it cannot rewrite safely are refused.

#include <gtest/gtest.h>

#include <cstring>

#include "builder/byte_reader.h"
#include "builder/pe_image.h"
#include "builder/pe_resource_writer.h"
#include "builder/quiz_build.h"
#include "builder_test_support.h"

namespace {

std::vector<uint8_t> readAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(readFileBytes(path, bytes)) << path;
    return bytes;
}

QuizResources quizWithPictures(int count) {
    QuizResources quiz;
    quiz.content = bytesOf("content-bytes");
    quiz.rewardCodes = bytesOf("codes");
    for (int q = 1; q <= count; ++q) {
        quiz.media.push_back({static_cast<uint16_t>(400 + q), std::vector<uint8_t>(1000 + 37 * q, uint8_t(q))});
        quiz.media.push_back({static_cast<uint16_t>(10400 + q), std::vector<uint8_t>(q, uint8_t(q))});
    }
    return quiz;
}

ResourceList resourcesOf(const std::vector<uint8_t>& image) {
    PeImage pe;
    ResourceList list;
    std::string reason;
    EXPECT_TRUE(readPeImage(image.data(), image.size(), pe, reason)) << reason;
    EXPECT_TRUE(readResources(image.data(), image.size(), pe, list, reason)) << reason;
    return list;
}

bool isQuizType(const ResourceEntry& e) {
    return e.type == ResourceName::fromText("PATCH") || e.type == ResourceName::fromText("IMG");
}

// Headers of a written image agree with its contents.
void expectConsistent(const std::vector<uint8_t>& image) {
    PeImage pe;
    std::string reason;
    ASSERT_TRUE(readPeImage(image.data(), image.size(), pe, reason)) << reason;
    EXPECT_EQ(pe.checksum, peChecksum(image.data(), image.size(), pe.checksumOffset()));
    const PeSection& last = pe.sections.back();
    uint32_t align = pe.sectionAlignment;
    EXPECT_EQ(pe.sizeOfImage, (last.virtualEnd() + align - 1) / align * align);
    for (std::size_t i = 1; i < pe.sections.size(); ++i) {
        const PeSection& prev = pe.sections[i - 1];
        EXPECT_EQ(pe.sections[i].virtualAddress, (prev.virtualEnd() + align - 1) / align * align) << i;
        EXPECT_EQ(pe.sections[i].rawOffset % pe.fileAlignment, 0u);
    }
    EXPECT_EQ(image.size(), std::size_t(last.rawOffset) + last.rawSize);
    int rsrc = pe.sectionOf(pe.directory(PeDirectoryResource).rva);
    ASSERT_GE(rsrc, 0);
    EXPECT_EQ(pe.sections[rsrc].name, ".rsrc");
    EXPECT_EQ(pe.directory(PeDirectoryResource).rva, pe.sections[rsrc].virtualAddress);
    EXPECT_EQ(pe.directory(PeDirectoryResource).size, pe.sections[rsrc].virtualSize);
}

class TemplateTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        path_ = std::string(GetParam()) == "tiny" ? tinyPe() : testPlayer();
        if (path_.empty()) GTEST_SKIP() << GetParam() << " template not built yet (run scripts/build.sh)";
        original_ = readAll(path_);
    }
    std::vector<uint8_t> build(const std::vector<uint8_t>& from, const QuizResources& quiz) {
        std::vector<uint8_t> out;
        std::string reason;
        EXPECT_TRUE(buildQuizImage(from, quiz, out, reason)) << reason;
        return out;
    }
    std::string path_;
    std::vector<uint8_t> original_;
};

TEST_P(TemplateTest, KeepsTheTemplatesOwnResourcesAndReplacesTheQuiz) {
    std::vector<uint8_t> built = build(original_, quizWithPictures(3));
    expectConsistent(built);
    ResourceList before = resourcesOf(original_), after = resourcesOf(built);
    for (const ResourceEntry& e : before) {
        if (isQuizType(e)) continue;
        bool kept = false;
        for (const ResourceEntry& a : after)
            kept = kept || (a.type == e.type && a.name == e.name && a.language == e.language && a.data == e.data &&
                            a.codePage == e.codePage);
        EXPECT_TRUE(kept) << "type " << e.type.id << " name " << e.name.id;
    }
    int quizResources = 0;
    for (const ResourceEntry& a : after) {
        if (!isQuizType(a)) continue;
        ++quizResources;
        EXPECT_EQ(a.language, LanguageNeutral);
        EXPECT_TRUE(a.name.id == 104 || a.name.id == 105 || (a.name.id > 400 && a.name.id <= 403) ||
                    (a.name.id > 10400 && a.name.id <= 10403))
            << "stale resource " << a.name.id;
    }
    EXPECT_EQ(quizResources, 2 + 6);
    const ResourceEntry* picture = findResource(after, ResourceName::fromText("IMG"), 402);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->data, std::vector<uint8_t>(1074, 2));
}

TEST_P(TemplateTest, RebuildingOverABuiltQuizNeitherGrowsNorKeepsStaleResources) {
    std::vector<uint8_t> big = build(original_, quizWithPictures(4));
    std::vector<uint8_t> small = build(original_, quizWithPictures(2));
    EXPECT_EQ(build(big, quizWithPictures(2)), small);
    EXPECT_EQ(build(small, quizWithPictures(2)), small);
    EXPECT_EQ(build(build(small, quizWithPictures(4)), quizWithPictures(4)), big);
    EXPECT_EQ(findResource(resourcesOf(build(big, quizWithPictures(2))), ResourceName::fromText("IMG"), 403), nullptr);
}

TEST_P(TemplateTest, BaseRelocationsMoveWithTheirDirectory) {
    PeImage pe, out;
    std::string reason;
    ASSERT_TRUE(readPeImage(original_.data(), original_.size(), pe, reason));
    PeDataDirectory relocs = pe.directory(PeDirectoryBaseReloc);
    if (relocs.size == 0) GTEST_SKIP() << "template without base relocations";
    std::vector<uint8_t> built = build(original_, quizWithPictures(5));
    ASSERT_TRUE(readPeImage(built.data(), built.size(), out, reason));
    PeDataDirectory moved = out.directory(PeDirectoryBaseReloc);
    EXPECT_EQ(moved.size, relocs.size);
    uint32_t from = 0, to = 0;
    ASSERT_TRUE(peRvaToOffset(pe, original_.size(), relocs.rva, relocs.size, from));
    ASSERT_TRUE(peRvaToOffset(out, built.size(), moved.rva, moved.size, to));
    EXPECT_TRUE(std::equal(original_.begin() + from, original_.begin() + from + relocs.size, built.begin() + to));
    EXPECT_EQ(out.sections[out.sectionOf(moved.rva)].name, ".reloc");
}

TEST_P(TemplateTest, RefusesASignedTemplate) {
    PeImage pe;
    std::string reason;
    ASSERT_TRUE(readPeImage(original_.data(), original_.size(), pe, reason));
    std::vector<uint8_t> signedImage = original_;
    std::vector<uint8_t> certificate(64, 0xAB);
    uint32_t at = static_cast<uint32_t>(signedImage.size());
    signedImage.insert(signedImage.end(), certificate.begin(), certificate.end());
    putU32(signedImage, pe.directoryOffset + 8 * PeDirectorySecurity, at);
    putU32(signedImage, pe.directoryOffset + 8 * PeDirectorySecurity + 4, 64);
    std::vector<uint8_t> out;
    EXPECT_FALSE(buildQuizImage(signedImage, quizWithPictures(1), out, reason));
    EXPECT_NE(reason.find("sign"), std::string::npos) << reason;
    EXPECT_TRUE(out.empty());
}

TEST_P(TemplateTest, RefusesAResourceSectionFollowedByAnotherSection) {
    PeImage pe;
    std::string reason;
    std::vector<uint8_t> image = build(original_, quizWithPictures(1));
    ASSERT_TRUE(readPeImage(image.data(), image.size(), pe, reason));
    if (pe.sections.back().name != ".reloc") GTEST_SKIP() << "no section after the resources";
    // Renamed, the last section is no longer known to hold only relocations.
    uint32_t header = pe.sectionTableOffset + (static_cast<uint32_t>(pe.sections.size()) - 1) * PeSectionHeaderSize;
    std::memcpy(image.data() + header, ".other\0\0", 8);
    std::vector<uint8_t> out;
    EXPECT_FALSE(buildQuizImage(image, quizWithPictures(1), out, reason));
    EXPECT_NE(reason.find("pas en fin d'image"), std::string::npos) << reason;
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateTest, ::testing::Values("tiny", "player"));

TEST(PeReader, DamagedImagesAreRefusedWithoutReadingOutside) {
    std::string path = tinyPe();
    if (path.empty()) GTEST_SKIP() << "tiny PE template not built (mingw-w64 missing)";
    std::vector<uint8_t> good = readAll(path);
    PeImage pe;
    std::string reason;
    ASSERT_TRUE(readPeImage(good.data(), good.size(), pe, reason));
    uint32_t peOffset = pe.fileHeaderOffset - 4;
    struct Damage {
        const char* name;
        std::size_t keep;  // bytes kept (the file is cut there)
        std::size_t at;    // byte changed, or SIZE_MAX
        uint8_t value;
    };
    const Damage damages[] = {
        {"empty", 0, SIZE_MAX, 0},
        {"cut in the DOS header", 0x3C, SIZE_MAX, 0},
        {"cut in the PE header", peOffset + 10, SIZE_MAX, 0},
        {"cut in the section table", pe.sectionTableOffset + 50, SIZE_MAX, 0},
        {"cut in the last section", good.size() - 10, SIZE_MAX, 0},
        {"no MZ", good.size(), 0, 'X'},
        {"no PE signature", good.size(), peOffset, 'X'},
        {"PE header offset far away", good.size(), 0x3F, 0x7F},
        {"unknown optional header", good.size(), pe.optionalHeaderOffset, 0x99},
        {"no sections", good.size(), pe.fileHeaderOffset + 2, 0},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bad(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(d.keep));
        if (d.at != SIZE_MAX) bad[d.at] = d.value;
        if (d.name == std::string("no sections")) bad[d.at + 1] = 0;
        PeImage damaged;
        EXPECT_FALSE(readPeImage(bad.data(), bad.size(), damaged, reason)) << d.name;
        EXPECT_FALSE(reason.empty()) << d.name;
    }
}

TEST(PeReader, ALoopingOrOversizedResourceDirectoryIsRefused) {
    std::string path = tinyPe();
    if (path.empty()) GTEST_SKIP() << "tiny PE template not built (mingw-w64 missing)";
    std::vector<uint8_t> image = readAll(path);
    PeImage pe;
    std::string reason;
    ASSERT_TRUE(readPeImage(image.data(), image.size(), pe, reason));
    uint32_t root = 0;
    ASSERT_TRUE(peRvaToOffset(pe, image.size(), pe.directory(PeDirectoryResource).rva, 16, root));
    ResourceList list;
    std::vector<uint8_t> tooMany = image;
    putU16(tooMany, root + 14, 0xFFFF);  // far more entries than the section holds
    EXPECT_FALSE(readResources(tooMany.data(), tooMany.size(), pe, list, reason));
    std::vector<uint8_t> loop = image;
    putU32(loop, root + 16 + 4, 0x80000000u);  // the first type points back at the root
    EXPECT_FALSE(readResources(loop.data(), loop.size(), pe, list, reason));
}

TEST(ResourceSerialisation, IsAPureFunctionOfTheListAndTheAddress) {
    ResourceList list = {
        {ResourceName::fromText("PATCH"), ResourceName::fromId(105), 0, 0, bytesOf("b")},
        {ResourceName::fromId(5), ResourceName::fromId(1001), 1033, 0, bytesOf("dialog")},
        {ResourceName::fromText("IMG"), ResourceName::fromId(401), 0, 0, bytesOf("pic")},
        {ResourceName::fromText("PATCH"), ResourceName::fromId(104), 0, 0, bytesOf("a")},
    };
    ResourceList shuffled = {list[2], list[0], list[3], list[1]};
    EXPECT_EQ(serializeResources(list, 0x5000), serializeResources(shuffled, 0x5000));
    std::vector<uint8_t> bytes = serializeResources(list, 0x5000);
    // Root: two named types ("IMG" before "PATCH") and one numbered type.
    EXPECT_EQ(bytes[12] | (bytes[13] << 8), 2);
    EXPECT_EQ(bytes[14] | (bytes[15] << 8), 1);
}

}  // namespace
