// Process entry: start-up, the message loop and the teardown, in that fixed
// order. The command line and the start-up show state are ignored.

#include <windows.h>

#include <new>

#include "app/header_panel.h"
#include "app/main_window.h"
#include "app/quiz_gdi.h"
#include "app/resource_ids.h"
#include "app/shell_state.h"
#include "content/content_loader.h"
#include "media/playback.h"
#include "panel/question_panel.h"

ShellState shell;

namespace {

constexpr COLORREF LabelColour = RGB(212, 208, 200);
constexpr const char* OutOfMemoryText = "Impossible d'allouer la memoire";
constexpr const char* OutOfMemoryCaption = "Zelto";

bool createQuiz() {
    currentQuiz = new (std::nothrow) Quiz();
    currentGdi = new (std::nothrow) QuizGdi();
    if (!currentQuiz || !currentGdi) return false;
    createQuizGdi(*currentGdi);
    return true;
}

void destroyQuiz() {
    if (currentGdi) destroyQuizGdi(*currentGdi);
    delete currentGdi;
    delete currentQuiz;
    currentGdi = nullptr;
    currentQuiz = nullptr;
}

// A started minimised or maximised process still opens in the normal state:
// the first ShowWindow of a process may take the launcher's show state instead.
void showNormal(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    if (IsIconic(window) || IsZoomed(window)) ShowWindow(window, SW_SHOWNORMAL);
}

// The header must exist before the question panel: judging the restored
// answers writes the score into it.
void createPanels() {
    shell.headerPanel = CreateDialogParamA(shell.instance, MAKEINTRESOURCEA(IDD_HEADER_PANEL), shell.mainWindow,
                                           headerPanelProc, 0);
    if (shell.headerPanel) ShowWindow(shell.headerPanel, SW_SHOWNORMAL);
    currentGdi->headerPanel = shell.headerPanel;
    shell.questionPanel = CreateDialogParamA(shell.instance, MAKEINTRESOURCEA(IDD_QUESTION_PANEL),
                                             shell.mainWindow, questionPanelProc, 0);
}

int runMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (shell.questionPanel && IsDialogMessageA(shell.questionPanel, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void tearDown() {
    if (shell.questionPanel) EndDialog(shell.questionPanel, 0);
    if (shell.headerPanel) DestroyWindow(shell.headerPanel);
    shell.headerPanel = nullptr;
    if (currentGdi) currentGdi->headerPanel = nullptr;
    mediaShutdown(shell.mainWindow);
    shell.labelBrush.reset();
    destroyQuiz();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    shell.instance = instance;
    if (!registerMainWindowClass(instance)) return 0;
    shell.labelBrush.reset(CreateSolidBrush(LabelColour));
    if (!createQuiz()) {
        MessageBoxA(nullptr, OutOfMemoryText, OutOfMemoryCaption, MB_OK);
        shell.labelBrush.reset();
        destroyQuiz();
        return 0;
    }
    shell.quizLoaded = loadQuizContent(*currentQuiz, *currentGdi);
    mediaStartup(*currentQuiz);

    shell.mainWindow = createMainWindow(instance, currentQuiz->title.c_str());
    if (!shell.mainWindow) {  // nothing to show and nothing would ever end the loop
        tearDown();
        return 0;
    }
    createPanels();
    showNormal(shell.mainWindow);
    if (shell.questionPanel) {
        ShowWindow(shell.questionPanel, SW_SHOWNORMAL);
        SendMessageA(shell.questionPanel, WM_VSCROLL, SB_TOP, 0);
    }

    const int exitCode = runMessageLoop();
    tearDown();
    return exitCode;
}
