#include "app/main_window.h"

#include "app/shell_layout.h"
#include "app/shell_state.h"
#include "panel/question_panel.h"

namespace {

constexpr int VersionLabelId = 8000;
constexpr const char* VersionText = "R\xE9" "alis\xE9 avec la version 2.1.4  ";
// Where the label is first made; the size rule moves it at once.
constexpr int VersionLabelX = 725;
constexpr int VersionLabelBottomGap = 16;
constexpr int VersionLabelWidth = 130;
constexpr int VersionLabelHeight = 15;
constexpr COLORREF VersionTextColour = RGB(0, 0, 0);
constexpr const char* ClipLeftOver = "zelto.mp3";

void place(HWND window, const ShellRect& rect, UINT flags) {
    if (window) SetWindowPos(window, nullptr, rect.x, rect.y, rect.width, rect.height, flags);
}

LRESULT onCreate(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HWND label = CreateWindowExA(0, "Static", VersionText, WS_CHILD | WS_VISIBLE, VersionLabelX,
                                 client.bottom - VersionLabelBottomGap, VersionLabelWidth, VersionLabelHeight, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(VersionLabelId)), shell.instance,
                                 nullptr);
    if (label) SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
    return 0;
}

// A panel whose handle is not set yet is left alone.
LRESULT onSize(HWND window, WPARAM sizeType, LPARAM size) {
    if (sizeType == SIZE_MINIMIZED) return 0;
    const MainLayout layout = mainLayout(LOWORD(size), HIWORD(size));
    place(shell.questionPanel, layout.questionPanel, SWP_NOZORDER);
    place(shell.headerPanel, layout.headerPanel, SWP_NOZORDER);
    place(GetDlgItem(window, VersionLabelId), layout.versionLabel, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    return 0;
}

// Saves, clears a clip that may be left over, and ends the loop; the window
// itself stays until the teardown.
LRESULT onClose() {
    saveShellAnswers();
    DeleteFileA(ClipLeftOver);
    PostQuitMessage(0);
    return 0;
}

LRESULT onDestroy() {
    PostQuitMessage(0);
    return 0;
}

LRESULT onCtlColorStatic(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != VersionLabelId) return 0;
    SetTextColor(dc, VersionTextColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(shell.labelBrush.get());
}

LRESULT onMouseWheel(WPARAM wParam) {
    if (shell.questionPanel) forwardWheel(shell.questionPanel, wParam);
    return 0;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onCreate(window);
    case WM_SIZE: return onSize(window, wParam, lParam);
    case WM_CLOSE: return onClose();
    case WM_DESTROY: return onDestroy();
    case WM_CTLCOLORSTATIC: return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEWHEEL: return onMouseWheel(wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The desktop's rectangle and the window's, frames included; halves rounded
// toward zero.
void centreOnDesktop(HWND window) {
    RECT desktop{}, own{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    const int x = desktop.left + ((desktop.right - desktop.left) - (own.right - own.left)) / 2;
    const int y = desktop.top + ((desktop.bottom - desktop.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    windowClass.lpszClassName = MainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND createMainWindow(HINSTANCE instance, const char* caption) {
    HWND window = CreateWindowExA(0, MainWindowClass, caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  MainWindowWidth, MainWindowHeight, nullptr, nullptr, instance, nullptr);
    if (window) centreOnDesktop(window);
    return window;
}
