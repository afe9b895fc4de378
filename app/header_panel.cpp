#include "app/header_panel.h"

#include <shellapi.h>

#include "app/gdi_object.h"
#include "app/quiz_gdi.h"
#include "app/resource_ids.h"
#include "app/shell_layout.h"
#include "app/shell_state.h"

namespace {

// Shown as the link and opened by it; the shell takes a "www." name as a web address.
constexpr const char* MakerAddress = "www.zelto.test";
constexpr COLORREF HeaderColour = RGB(128, 128, 255);
constexpr COLORREF LinkTextColour = RGB(50, 50, 255);
constexpr int FirstTextId = 20;  // ids 20..32 are the panel's texts
constexpr int LastTextId = 32;
constexpr UINT MoveFlags = SWP_NOOWNERZORDER | SWP_NOACTIVATE;

enum class ControlFont { None, DefaultGui, Title, Score, Link };
enum class ControlText { Fixed, Address, Author, Subtitle, Title, Score };

struct ControlSpec {
    int id;
    const char* className;
    ControlText text;
    const char* fixedText;
    DWORD style;
    int x, y, width, height;
    ControlFont font;
};

constexpr DWORD Shown = WS_CHILD | WS_VISIBLE;

// In creation order.
constexpr ControlSpec Controls[] = {
    {HeaderLinkId, "Static", ControlText::Address, "", Shown | SS_NOTIFY, 736, 5, 115, 18, ControlFont::Link},
    {HeaderById, "Static", ControlText::Fixed, "Par :", Shown, 736, 25, 27, 18, ControlFont::DefaultGui},
    {HeaderAuthorId, "Static", ControlText::Author, "", Shown, 763, 25, 85, 18, ControlFont::DefaultGui},
    {HeaderSaveId, "button", ControlText::Fixed, "Sauver", Shown, 666, 25, 55, 18, ControlFont::DefaultGui},
    {HeaderSubtitleId, "Static", ControlText::Subtitle, "", Shown, 110, 19, 490, 27, ControlFont::DefaultGui},
    {HeaderTitleId, "Static", ControlText::Title, "", Shown, 110, 3, 260, 18, ControlFont::Title},
    {HeaderCodeCaptionId, "Static", ControlText::Fixed, " Code :", Shown, 7, 29, 36, 15, ControlFont::DefaultGui},
    {HeaderScoreId, "Static", ControlText::Score, "", Shown | SS_CENTER, 10, 1, 80, 20, ControlFont::Score},
    {HeaderCodeId, "edit", ControlText::Fixed, "", Shown | ES_READONLY, 44, 29, 53, 16, ControlFont::DefaultGui},
    {HeaderScoreLineId, "Static", ControlText::Fixed, "", Shown | WS_BORDER, 0, 26, 100, 1, ControlFont::None},
    {HeaderLeftLineId, "Static", ControlText::Fixed, "", Shown | WS_BORDER, 100, 0, 1, 50, ControlFont::None},
    {HeaderRightLineId, "Static", ControlText::Fixed, "", Shown | WS_BORDER, 730, 0, 1, 50, ControlFont::None},
};

// One header panel per process: its brush and the link's font live here.
GdiObject<HBRUSH> headerBrush;
GdiObject<HFONT> linkFont;

void setFont(HWND control, HGDIOBJ font, BOOL redraw) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

// Underlined, three quarters of the link's height; the hand cursor goes on
// the static class, and only the link (SS_NOTIFY) takes mouse input.
void styleLink(HWND link) {
    RECT client{};
    GetClientRect(link, &client);
    LOGFONTA font{};
    font.lfHeight = -((client.bottom - client.top) * 3 / 4);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = TRUE;
    linkFont.reset(CreateFontIndirectA(&font));
    setFont(link, linkFont.get(), FALSE);
    HCURSOR hand = LoadCursorA(shell.instance, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    if (hand) SetClassLongPtrA(link, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
}

const char* controlText(const ControlSpec& item, const char* scoreText) {
    const Quiz* quiz = currentQuiz;
    switch (item.text) {
    case ControlText::Address: return MakerAddress;
    case ControlText::Author: return quiz ? quiz->author.c_str() : "";
    case ControlText::Subtitle: return quiz ? quiz->subtitle.c_str() : "";
    case ControlText::Title: return quiz ? quiz->title.c_str() : "";
    case ControlText::Score: return scoreText;
    case ControlText::Fixed: break;
    }
    return item.fixedText;
}

void applyFont(HWND control, ControlFont font) {
    const QuizGdi* gdi = currentGdi;
    switch (font) {
    case ControlFont::DefaultGui: setFont(control, GetStockObject(DEFAULT_GUI_FONT), TRUE); break;
    case ControlFont::Title: setFont(control, gdi ? gdi->titleFont : nullptr, FALSE); break;
    case ControlFont::Score: setFont(control, gdi ? gdi->scoreFont : nullptr, FALSE); break;
    case ControlFont::Link: styleLink(control); break;
    case ControlFont::None: break;
    }
}

INT_PTR onInitDialog(HWND panel) {
    char scoreText[32];
    wsprintfA(scoreText, " 0 / %d", currentQuiz ? currentQuiz->questionCount : 0);
    for (const ControlSpec& item : Controls) {
        HWND control = CreateWindowExA(0, item.className, controlText(item, scoreText), item.style, item.x, item.y,
                                       item.width, item.height, panel,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), shell.instance,
                                       nullptr);
        if (control) applyFont(control, item.font);
    }
    headerBrush.reset(CreateSolidBrush(HeaderColour));
    return TRUE;
}

INT_PTR onSize(HWND panel) {
    RECT client{};
    GetClientRect(panel, &client);
    const HeaderLayout layout = headerLayout(client.right - client.left);
    for (const HeaderMove& move : layout.moves) {
        HWND control = GetDlgItem(panel, move.id);
        if (!control) continue;
        SetWindowPos(control, nullptr, move.place.x, move.place.y, move.place.width, move.place.height, MoveFlags);
        if (move.invalidate) InvalidateRect(control, nullptr, FALSE);
    }
    return 0;
}

// Only the whole parameter 24 is a single click on the link (STN_CLICKED is
// 0); a double click's second notification is STN_DBLCLK and is ignored.
INT_PTR onCommand(WPARAM wParam) {
    if (wParam == HeaderLinkId)
        ShellExecuteA(nullptr, "open", MakerAddress, nullptr, nullptr, SW_SHOWNORMAL);
    else if (wParam == MAKEWPARAM(HeaderSaveId, BN_CLICKED))
        saveShellAnswers();
    return 0;
}

INT_PTR onCtlColorDlg() { return reinterpret_cast<INT_PTR>(headerBrush.get()); }

INT_PTR onCtlColorStatic(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == HeaderLinkId) SetTextColor(dc, LinkTextColour);
    if (id < FirstTextId || id > LastTextId) return FALSE;  // the lines keep their default look
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(headerBrush.get());
}

INT_PTR onDestroy() {
    headerBrush.reset();
    return 0;
}

// After the children are gone, so the link never holds a deleted font.
INT_PTR onNcDestroy() {
    headerBrush.reset();
    linkFont.reset();
    return 0;
}

}  // namespace

INT_PTR CALLBACK headerPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(panel);
    case WM_SIZE: return onSize(panel);
    case WM_COMMAND: return onCommand(wParam);
    case WM_CTLCOLORDLG: return onCtlColorDlg();
    case WM_CTLCOLORSTATIC: return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: return onDestroy();
    case WM_NCDESTROY: return onNcDestroy();
    }
    return FALSE;
}
