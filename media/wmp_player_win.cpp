#include "media/wmp_player_win.h"

// The player's identifiers come from mingw-w64's own wmp.h; defining them
// here puts them in this program's constant data.
#include <initguid.h>
#include <wmp.h>

namespace {

constexpr DWORD AnyServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
constexpr int MaxUrlLength = 512;  // UTF-16 units, NUL included

// A BSTR released once.
struct BString {
    BSTR text;
    explicit BString(const wchar_t* s) : text(SysAllocString(s)) {}
    BString(const BString&) = delete;
    BString& operator=(const BString&) = delete;
    ~BString() { SysFreeString(text); }
};

}  // namespace

AtlLibrary loadAtl() {
    AtlLibrary atl;
    atl.module = LoadLibraryA("atl.dll");
    if (atl.module)
        atl.attach = reinterpret_cast<AttachControlFunction>(
            reinterpret_cast<void*>(GetProcAddress(atl.module, "AtlAxAttachControl")));
    return atl;
}

void freeAtl(AtlLibrary& atl) {
    if (atl.module) FreeLibrary(atl.module);
    atl = {};
}

bool createPlayer(WmpPlayer& wmp, AttachControlFunction attach, HWND host) {
    IWMPPlayer* player = nullptr;
    if (CoCreateInstance(CLSID_WindowsMediaPlayer, nullptr, AnyServer, IID_IWMPPlayer,
                         reinterpret_cast<void**>(&player)) != S_OK || !player)
        return false;
    wmp.player = player;
    // The host keeps its own reference; the container pointer is not wanted.
    attach(player, host, nullptr);
    IWMPControls* controls = nullptr;
    if (player->get_controls(&controls) == S_OK) wmp.controls = controls;
    // Hides the player's own buttons; Wine answers E_NOTIMPL, which changes nothing here.
    BString none(L"none");
    player->put_uiMode(none.text);
    return true;
}

void playFile(WmpPlayer& wmp, const std::string& fileName) {
    if (!wmp.player) return;
    wchar_t url[MaxUrlLength];
    if (!MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, url, MaxUrlLength)) return;
    BString urlText(url);
    wmp.player->put_URL(urlText.text);
    if (wmp.controls) wmp.controls->play();
}

void stopPlayer(WmpPlayer& wmp) {
    if (wmp.controls) wmp.controls->stop();
}

void releasePlayer(WmpPlayer& wmp) {
    if (wmp.controls) wmp.controls->Release();
    if (wmp.player) wmp.player->Release();
    wmp = {};
}
