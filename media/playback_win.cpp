#include "media/playback.h"

#include <shellapi.h>

#include <new>

#include "app/quiz_gdi.h"
#include "app/resource_ids.h"
#include "media/clip_file_win.h"
#include "media/clip_names.h"
#include "media/wmp_player_win.h"
#include "panel/control_ids.h"

namespace {

constexpr int MaxPendingCommands = 16;
const char* const InfoCaption = "Information";
const char* const PlayerMissingText = "WindowMediaplayer non d\xE9tect\xE9.";

// The one media player of the process; everything runs on the GUI thread.
struct MediaPlayer {
    AtlLibrary atl;
    bool comStarted = false;
    HWND playerHost = nullptr;  // owned by the panel, destroyed with it
    WmpPlayer wmp;
    int32_t playerMissing = 0;
    int32_t currentClip = 0;  // question of the clip started last, 0 before any play
    HICON playIcon = nullptr;  // shared icons from LoadIconA: never destroyed
    HICON stopIcon = nullptr;
    // Opening a clip may run a message loop inside the player, where another
    // button's command can arrive; it waits here until the current one is done.
    bool inCommand = false;
    ClipCommand pending[MaxPendingCommands];
    int pendingCount = 0;
};

MediaPlayer media;

ClipType currentClipType() { return currentQuiz ? clipTypeOf(currentQuiz->kind) : ClipNone; }

std::string clipFile(ClipType type, int32_t question) {
    return clipFileName(currentQuiz->mediaDirectory, type, question);
}

void onPlay(HWND panel, ClipType type, int32_t question) {
    if (media.wmp.player) stopPlayer(media.wmp);
    if (media.currentClip != 0) deleteClipFile(clipFile(type, media.currentClip));
    media.currentClip = question;
    if (extractClip(panel, ClipResourceBase + question, type) != 1) return;
    std::string name = clipFile(type, question);
    if (media.playerMissing) {
        ShellExecuteA(panel, "open", name.c_str(), nullptr, nullptr, SW_HIDE);
        return;
    }
    playFile(media.wmp, name);
}

void onStop(ClipType type) {
    if (media.playerMissing || !media.wmp.controls) return;
    stopPlayer(media.wmp);
    // Before any play there is no clip file of ours to delete.
    if (media.currentClip != 0) deleteClipFile(clipFile(type, media.currentClip));
}

void runCommand(HWND panel, ClipType type, ClipCommand command) {
    if (command.action == ClipAction::Play) onPlay(panel, type, command.question);
    if (command.action == ClipAction::Stop) onStop(type);
}

}  // namespace

void mediaStartup(const Quiz& quiz) {
    if (clipTypeOf(quiz.kind) == ClipNone) return;
    media.atl = loadAtl();
    if (!media.atl.module) return;
    media.comStarted = SUCCEEDED(CoInitialize(nullptr));
}

void playerSetup(HWND panel) {
    if (currentClipType() == ClipNone) return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    media.playIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PLAY));
    media.stopIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_STOP));
    // No size: nothing of the player shows in the panel.
    media.playerHost = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, panel,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(PlayerHostId)), instance,
                                       nullptr);
    bool created = media.atl.module && media.atl.attach &&
                   createPlayer(media.wmp, media.atl.attach, media.playerHost);
    media.playerMissing = created ? 0 : 1;
    if (!created) MessageBoxA(panel, PlayerMissingText, InfoCaption, MB_OK);
}

HICON playIcon() { return media.playIcon; }
HICON stopIcon() { return media.stopIcon; }

void mediaCommand(HWND panel, WPARAM wParam) {
    ClipType type = currentClipType();
    ClipCommand command = decodeClipCommand(wParam);
    if (type == ClipNone || command.action == ClipAction::None) return;
    if (media.inCommand) {
        if (media.pendingCount < MaxPendingCommands) media.pending[media.pendingCount++] = command;
        return;
    }
    media.inCommand = true;
    try {
        runCommand(panel, type, command);
        for (int i = 0; i < media.pendingCount; ++i) runCommand(panel, type, media.pending[i]);
    } catch (const std::bad_alloc&) {
        // No memory for a clip file name: that press does nothing.
    }
    media.pendingCount = 0;
    media.inCommand = false;
}

void mediaShutdown(HWND mainWindow) {
    ClipType type = currentClipType();
    if (type == ClipNone) return;
    // A playing clip's file is held open by the player until it stops.
    stopPlayer(media.wmp);
    for (int32_t q = FirstClip; q <= LastClip; ++q) deleteClipFile(clipFile(type, q));
    DestroyWindow(mainWindow);
    // Our own references go before COM ends; the host let go of its own above.
    releasePlayer(media.wmp);
    if (media.comStarted) CoUninitialize();
    media.comStarted = false;
    freeAtl(media.atl);
}
