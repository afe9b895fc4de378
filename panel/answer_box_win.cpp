// The window procedure of every answer box: select on focus, judge on focus
// loss and Enter, keep the focused box in view on Tab, page keys, F1 and F2.

#include <cstring>

#include "app/quiz_gdi.h"
#include "checking/evaluate_answer.h"
#include "checking/verdict.h"
#include "content/text260.h"
#include "panel/panel_layout.h"
#include "panel/panel_win.h"
#include "panel/question_panel.h"
#include "panel/scroll_math.h"

namespace {

constexpr LPARAM SelectAllEnd = 260;
constexpr WPARAM CharEnter = 13;
constexpr WPARAM CharTab = 9;
constexpr LRESULT KeyHandled = 1;

void judge(HWND box) {
    if (currentQuiz) evaluateAnswer(*currentQuiz, GetParent(box), GetDlgCtrlID(box));
}

void applyTabRule(HWND box) {
    if (!currentQuiz) return;
    HWND panel = GetParent(box);
    RECT boxRect{};
    RECT panelRect{};
    GetWindowRect(box, &boxRect);
    GetWindowRect(panel, &panelRect);
    const TabAction action =
        tabRule(GetDlgCtrlID(box), GetKeyState(VK_SHIFT) < 0, currentQuiz->questionCount,
                {boxRect.top, boxRect.bottom}, {panelRect.top, panelRect.bottom});
    if (action.setsCursorTarget) panelState.cursorTarget = action.cursorTarget;
    if (action.kind == TabAction::Top)
        SendMessageA(panel, WM_VSCROLL, SB_TOP, 0);
    else if (action.kind == TabAction::ToCursor)
        SendMessageA(panel, WM_VSCROLL, ScrollToCursor, 0);
}

// The key rules; true when the key must not reach the box.
bool onKey(HWND box, WPARAM key) {
    switch (key) {
    case VK_TAB: applyTabRule(box); return false;
    case VK_RETURN: judge(box); return true;
    case VK_PRIOR:
    case VK_UP: SendMessageA(GetParent(box), WM_VSCROLL, SB_PAGEUP, 0); return false;
    case VK_NEXT:
    case VK_DOWN: SendMessageA(GetParent(box), WM_VSCROLL, SB_PAGEDOWN, 0); return false;
    case VK_F1: fillUnsolvedBoxes(box); return false;
    case VK_F2: saveAnswers(GetParent(box)); return false;
    default: return false;
    }
}

// Focus leaving because the panel is being closed is not the player leaving
// the box: judging then could pop a hint message box during shutdown.
bool leavingForClose(HWND box, WPARAM gainingFocus) {
    HWND panel = GetParent(box);
    return panelState.closing || reinterpret_cast<HWND>(gainingFocus) == panel;
}

LRESULT forward(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!panelState.previousBoxProc) return DefWindowProcA(box, message, wParam, lParam);
    return CallWindowProcA(panelState.previousBoxProc, box, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_SETFOCUS: SendMessageA(box, EM_SETSEL, 0, SelectAllEnd); break;
        case WM_KILLFOCUS:
            if (!leavingForClose(box, wParam)) judge(box);
            break;
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
            if (onKey(box, wParam)) return KeyHandled;
            break;
        case WM_CHAR:
            if (wParam == CharEnter || wParam == CharTab) return 0;
            break;
        default: break;
        }
    } catch (...) {
        // Out of memory while judging: the box goes on as an ordinary Edit.
    }
    return forward(box, message, wParam, lParam);
}

void fillUnsolvedBoxes(HWND box) {
    if (!currentQuiz) return;
    HWND panel = GetParent(box);
    char text[Text260Size] = {};
    GetWindowTextA(box, text, Text260Size);
    const int slots = currentQuiz->questionCount * currentQuiz->answersPerQuestion;
    for (int s = 1; s <= slots; ++s) {
        char verdict[Text260Size] = {};
        GetDlgItemTextA(panel, VerdictLabelBaseId + s, verdict, Text260Size);
        if (std::strcmp(verdict, VerdictRight) == 0) continue;
        // Slots without a box (a text quiz with two answers per question) are skipped.
        HWND target = GetDlgItem(panel, AnswerBoxBaseId + s);
        if (!target) continue;
        SetWindowTextA(target, text);
        SetFocus(target);
    }
    SetFocus(box);
}
