#pragma once
// Which clip a play or stop button means, and the file a clip is written to.
// Pure arithmetic and text: no <windows.h>, so it is tested natively.

#include <cstdint>
#include <cstring>
#include <string>

#include "content/quiz.h"

constexpr int32_t FirstClip = 1;
constexpr int32_t LastClip = 96;  // the clip files that shutdown cleans up
constexpr int32_t PlayButtonBase = 6000;
constexpr int32_t StopButtonBase = 7000;
constexpr int32_t ClipResourceBase = 400;  // "IMG" 400 + q holds the clip of question q

// The clip type handed to the extraction: the quiz kind minus one.
enum ClipType : int32_t {
    ClipNone = 0,
    ClipSound = 1,
    ClipVideo = 2,
};

inline ClipType clipTypeOf(int32_t kind) {
    if (kind == KindSound) return ClipSound;
    if (kind == KindVideo) return ClipVideo;
    return ClipNone;
}

enum class ClipAction { None, Play, Stop };

struct ClipCommand {
    ClipAction action = ClipAction::None;
    int32_t question = 0;
};

// The whole WM_COMMAND first parameter is compared, so only a button's click
// notification (high word 0) of questions 1 to 96 is a command.
inline ClipCommand decodeClipCommand(uint64_t wParam) {
    if (wParam >= uint64_t(PlayButtonBase + FirstClip) && wParam <= uint64_t(PlayButtonBase + LastClip))
        return {ClipAction::Play, int32_t(wParam) - PlayButtonBase};
    if (wParam >= uint64_t(StopButtonBase + FirstClip) && wParam <= uint64_t(StopButtonBase + LastClip))
        return {ClipAction::Stop, int32_t(wParam) - StopButtonBase};
    return {};
}

// "%szelto%d.mp3" (sound) or "%szelto%d.avi" (video) from the quiz's media
// directory, read up to its NUL or its full 512 bytes. Empty for other types.
inline std::string clipFileName(const char (&mediaDirectory)[512], ClipType type, int32_t question) {
    if (type != ClipSound && type != ClipVideo) return {};
    std::string name(mediaDirectory, strnlen(mediaDirectory, sizeof mediaDirectory));
    name += "zelto";
    name += std::to_string(question);
    name += type == ClipSound ? ".mp3" : ".avi";
    return name;
}
