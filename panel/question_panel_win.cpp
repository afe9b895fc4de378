// The question panel's dialog procedure: one handler per message.

#include "panel/question_panel.h"

#include <cstring>

#include "app/quiz_gdi.h"
#include "checking/evaluate_answer.h"
#include "checking/verdict.h"
#include "content/text260.h"
#include "media/playback.h"
#include "panel/answers_file_win.h"
#include "panel/panel_layout.h"
#include "panel/panel_win.h"

PanelState panelState;

namespace {

constexpr int DarkBackgroundLimit = 69;  // red or green above this: black text
constexpr COLORREF BlackText = 0x00000000;
constexpr COLORREF WhiteText = 0x00FFFFFF;

// The score is counted once the boxes are built and judged, however building ends.
struct ScoreDeferral {
    const Quiz& quiz;
    HWND panel;
    ScoreDeferral(const Quiz& q, HWND p) : quiz(q), panel(p) { deferScoreUpdates(); }
    ~ScoreDeferral() { resumeScoreUpdates(quiz, panel); }
    ScoreDeferral(const ScoreDeferral&) = delete;
    ScoreDeferral& operator=(const ScoreDeferral&) = delete;
};

INT_PTR brushResult(HBRUSH brush) { return reinterpret_cast<INT_PTR>(brush); }

BOOL onInitDialog(HWND panel) {
    panelState = PanelState{};
    if (!currentQuiz || !currentGdi) return TRUE;
    Quiz& quiz = *currentQuiz;
    if (quiz.kind == KindSound || quiz.kind == KindVideo) playerSetup(panel);
    {
        AnswersFileReader answers;  // closed again once the boxes hold their lines
        createAnswerFont(*currentGdi);
        ScoreDeferral scoreOnceBuilt(quiz, panel);
        buildPanelControls(panel, quiz, answers);
    }
    updateScrollRanges(panel);
    return TRUE;
}

// The verdict label's letters sit on the same colour as the rest of the label.
HBRUSH verdictBrush(HDC dc, HBRUSH brush) {
    LOGBRUSH info{};
    if (brush && GetObjectA(brush, sizeof info, &info)) SetBkColor(dc, info.lbColor);
    return brush;
}

HBRUSH verdictLabelBrush(HDC dc, HWND label) {
    const QuizGdi& gdi = *currentGdi;
    char text[Text260Size] = {};
    GetWindowTextA(label, text, Text260Size);
    if (std::strcmp(text, VerdictAnagram) == 0) return verdictBrush(dc, gdi.anagramBrush);
    if (std::strcmp(text, VerdictRight) == 0) return verdictBrush(dc, gdi.rightBrush);
    if (std::strcmp(text, VerdictWrong) == 0) return verdictBrush(dc, gdi.wrongBrush);
    if (std::strcmp(text, VerdictEmpty) == 0) return nullptr;  // the platform's colours
    return verdictBrush(dc, gdi.hintBrush);
}

INT_PTR onCtlColorStatic(HDC dc, HWND control) {
    if (!currentQuiz || !currentGdi) return 0;
    const Quiz& quiz = *currentQuiz;
    const QuizGdi& gdi = *currentGdi;
    const int id = static_cast<int>(GetWindowLongPtrA(control, GWLP_ID));
    const int slots = quiz.questionCount * quiz.answersPerQuestion;

    if (id == NumberLabelId || id == CaptionLabelId ||
        (id > HintLabelBaseId && id <= HintLabelBaseId + slots)) {
        SetBkMode(dc, TRANSPARENT);
        const bool light = quiz.backgroundRed > DarkBackgroundLimit ||
                           quiz.backgroundGreen > DarkBackgroundLimit;
        SetTextColor(dc, light ? BlackText : WhiteText);
        return brushResult(gdi.backgroundBrush);
    }
    if (id > VerdictLabelBaseId && id <= VerdictLabelBaseId + slots)
        return brushResult(verdictLabelBrush(dc, control));
    if (id == QuestionLabelId) return brushResult(verdictBrush(dc, gdi.questionBrush));
    return 0;
}

INT_PTR onCtlColorDialog() { return currentGdi ? brushResult(currentGdi->backgroundBrush) : 0; }

void onShowWindow(BOOL shown) { panelState.closing = !shown; }

// Bitmaps given to picture labels belong to the panel.
void onDestroy(HWND panel) {
    panelState.closing = true;
    for (int q = 1; q <= MaxQuestions; ++q) {
        HWND label = GetDlgItem(panel, PictureLabelBaseId + q);
        if (!label) continue;
        auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(label, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (bitmap) DeleteObject(bitmap);
    }
}

INT_PTR dispatch(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(panel);
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORDLG: return onCtlColorDialog();
    case WM_SIZE: onPanelSize(panel); return 0;
    case WM_HSCROLL: onPanelScroll(panel, SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: onPanelScroll(panel, SB_VERT, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: forwardWheel(panel, wParam); return 0;
    case WM_COMMAND: mediaCommand(panel, wParam); return 0;
    case WM_SHOWWINDOW: onShowWindow(static_cast<BOOL>(wParam)); return 0;
    case WM_DESTROY: onDestroy(panel); return 0;
    default: return 0;
    }
}

}  // namespace

INT_PTR CALLBACK questionPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return dispatch(panel, message, wParam, lParam);
    } catch (...) {
        return 0;  // out of memory: leave the message to the dialog manager
    }
}
