#include "media/clip_names.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct CommandCase {
    uint64_t wParam;
    ClipAction action;
    int32_t question;
};

TEST(ClipCommand, OnlyClicksOfButtonsOneToNinetySixAreCommands) {
    const CommandCase cases[] = {
        {6001, ClipAction::Play, 1},
        {6096, ClipAction::Play, 96},
        {7001, ClipAction::Stop, 1},
        {7096, ClipAction::Stop, 96},
        {6000, ClipAction::None, 0},   // play of "question 0"
        {6097, ClipAction::None, 0},   // question 97: the button exists, does nothing
        {7000, ClipAction::None, 0},
        {7097, ClipAction::None, 0},
        {8001, ClipAction::None, 0},   // hint label
        {4001, ClipAction::None, 0},   // answer box
        {0, ClipAction::None, 0},
        // Other notifications of the same buttons carry a non-zero high word.
        {(uint64_t(5) << 16) | 6001, ClipAction::None, 0},  // BN_DOUBLECLICKED
        {(uint64_t(6) << 16) | 7005, ClipAction::None, 0},  // BN_SETFOCUS
        {(uint64_t(1) << 32) | 6001, ClipAction::None, 0},  // the whole 64-bit parameter counts
    };
    for (const CommandCase& c : cases) {
        ClipCommand command = decodeClipCommand(c.wParam);
        EXPECT_EQ(command.action, c.action) << c.wParam;
        EXPECT_EQ(command.question, c.question) << c.wParam;
    }
}

TEST(ClipFileName, NamedByTypeAndQuestionUnderTheMediaDirectory) {
    char empty[512] = {};
    EXPECT_EQ(clipFileName(empty, ClipSound, 7), "zelto7.mp3");
    EXPECT_EQ(clipFileName(empty, ClipVideo, 96), "zelto96.avi");
    EXPECT_EQ(clipFileName(empty, ClipNone, 1), "");

    char directory[512] = {};
    std::strcpy(directory, "C:\\clips\\");
    EXPECT_EQ(clipFileName(directory, ClipSound, 12), "C:\\clips\\zelto12.mp3");
}

TEST(ClipFileName, UnterminatedMediaDirectoryIsReadOnlyToItsEnd) {
    char full[512];
    std::memset(full, 'd', sizeof full);  // no NUL anywhere
    std::string name = clipFileName(full, ClipVideo, 3);
    EXPECT_EQ(name.size(), 512u + std::strlen("zelto3.avi"));
    EXPECT_EQ(name.substr(512), "zelto3.avi");
}

}  // namespace
