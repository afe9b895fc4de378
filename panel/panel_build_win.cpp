// Creates the question panel's controls from the layout, in its order, and
// pours the saved answers into the boxes, judging each box once it is complete.

#include <map>
#include <string>

#include "app/quiz_gdi.h"
#include "checking/evaluate_answer.h"
#include "media/picture.h"
#include "media/playback.h"
#include "panel/answers_file_win.h"
#include "panel/panel_layout.h"
#include "panel/panel_win.h"

namespace {

constexpr const char* PictureType = "IMG";

// Question pictures decoded once for the whole build: the row-height measure
// and the picture labels share them. A bitmap handed to a label belongs to the
// panel from then on; the rest are deleted with the cache.
class PictureCache {
public:
    explicit PictureCache(HMODULE module) : module_(module) {}
    ~PictureCache() {
        for (auto& entry : bitmaps_)
            if (entry.second) DeleteObject(entry.second);
    }
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    PictureSize size(int resourceId) {
        auto it = bitmaps_.find(resourceId);
        if (it == bitmaps_.end())
            it = bitmaps_.emplace(resourceId, loadPicture(module_, resourceId, PictureType,
                                                          PictureBox, PictureBox))
                     .first;
        BITMAP info{};
        if (!it->second || !GetObjectA(it->second, sizeof info, &info)) return {};
        return {info.bmWidth, info.bmHeight};
    }
    // Ownership passes to the caller.
    HBITMAP take(int resourceId) {
        auto it = bitmaps_.find(resourceId);
        if (it == bitmaps_.end()) return nullptr;
        HBITMAP bitmap = it->second;
        bitmaps_.erase(it);
        return bitmap;
    }

private:
    HMODULE module_;
    std::map<int, HBITMAP> bitmaps_;
};

struct BuildContext {
    HWND panel;
    Quiz& quiz;
    AnswersFileReader& answers;
    PictureCache& pictures;
    HINSTANCE instance;
};

const char* entryText(const Quiz& quiz, int question, Text260 QuestionEntry::*field) {
    const QuestionEntry* entry = quiz.entries.entryAt(question - 1);
    return entry ? (entry->*field).c_str() : "";
}

void setFont(HWND control, FontKind font) {
    if (font == FontKind::Answer && currentGdi)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(currentGdi->answerFont), FALSE);
    else if (font == FontKind::DefaultGui)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     TRUE);
}

HWND createControl(const BuildContext& build, const PanelControl& c, const char* text) {
    return CreateWindowExA(0, c.className, text, c.style, c.x, c.y, c.width, c.height, build.panel,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), build.instance, nullptr);
}

void addAnswerBox(const BuildContext& build, const PanelControl& c) {
    const std::string saved = build.answers.readAnswerLine();
    HWND box = createControl(build, c, saved.c_str());
    if (!box) return;
    setFont(box, c.font);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerBoxProc)));
    if (previous) panelState.previousBoxProc = previous;
}

// The box's verdict label completes it: judge the restored answer, then focus it.
void addVerdictLabel(const BuildContext& build, const PanelControl& c) {
    HWND label = createControl(build, c, c.text.c_str());
    if (label) setFont(label, c.font);
    const int boxId = AnswerBoxBaseId + c.slot;
    evaluateAnswer(build.quiz, build.panel, boxId);
    if (HWND box = GetDlgItem(build.panel, boxId)) SetFocus(box);
}

void addPictureLabel(const BuildContext& build, const PanelControl& c) {
    HBITMAP bitmap = build.pictures.take(QuestionPictureBaseId + c.question);
    HWND label = createControl(build, c, nullptr);
    if (label && bitmap)
        SendMessageA(label, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    else if (bitmap)
        DeleteObject(bitmap);
}

void addMediaButton(const BuildContext& build, const PanelControl& c, HICON icon) {
    HWND button = createControl(build, c, "");
    if (button && icon) SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void addHintLabel(const BuildContext& build, const PanelControl& c) {
    HWND label = createControl(build, c, "");
    if (!label) return;
    setFont(label, c.font);
    SetWindowTextA(label, entryText(build.quiz, c.question, &QuestionEntry::hint));
    ShowWindow(label, SW_HIDE);
}

void addTextLabel(const BuildContext& build, const PanelControl& c, const char* text) {
    HWND label = createControl(build, c, text);
    if (label) setFont(label, c.font);
}

void addControl(const BuildContext& build, const PanelControl& c) {
    switch (c.role) {
    case ControlRole::NumberLabel: addTextLabel(build, c, c.text.c_str()); break;
    case ControlRole::QuestionLabel:
        addTextLabel(build, c, entryText(build.quiz, c.question, &QuestionEntry::label));
        break;
    case ControlRole::Caption1: addTextLabel(build, c, build.quiz.answerCaption1.c_str()); break;
    case ControlRole::Caption2: addTextLabel(build, c, build.quiz.answerCaption2.c_str()); break;
    case ControlRole::PictureLabel: addPictureLabel(build, c); break;
    case ControlRole::PlayButton: addMediaButton(build, c, playIcon()); break;
    case ControlRole::StopButton: addMediaButton(build, c, stopIcon()); break;
    case ControlRole::AnswerBox: addAnswerBox(build, c); break;
    case ControlRole::VerdictLabel: addVerdictLabel(build, c); break;
    case ControlRole::HintLabel: addHintLabel(build, c); break;
    }
}

}  // namespace

void buildPanelControls(HWND panel, Quiz& quiz, AnswersFileReader& answers) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    PictureCache pictures(instance);
    PanelLayoutInput input;
    input.kind = quiz.kind;
    input.questionCount = quiz.questionCount;
    input.answersPerQuestion = quiz.answersPerQuestion;
    input.hintMode = quiz.hintMode;
    input.pictureSize = [&pictures](int resourceId) { return pictures.size(resourceId); };

    const PanelLayout layout = layoutPanel(input);
    const BuildContext build{panel, quiz, answers, pictures, instance};
    for (const PanelControl& control : layout.controls) addControl(build, control);
    // Restored answers can solve the quiz before the later hint labels exist;
    // a solved quiz shows every hint, so show them now.
    if (quiz.hintMode == HintAllAtEnd && quiz.quizSolved == 1)
        for (int q = 1; q <= quiz.questionCount; ++q)
            if (HWND hint = GetDlgItem(panel, HintLabelBaseId + q)) ShowWindow(hint, SW_SHOWNORMAL);
    panelState.contentWidth = layout.contentWidth;
    panelState.contentHeight = layout.contentHeight;
}
