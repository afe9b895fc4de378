// Judging one answer box of the question panel: the verdict word into its
// label, the quiz's hint mode, then the score in the header.

#include "checking/evaluate_answer.h"

#include <cstring>
#include <string>

#include "app/quiz_gdi.h"
#include "checking/score.h"
#include "checking/verdict.h"
#include "media/picture.h"
#include "content/text260.h"
#include "panel/control_ids.h"
#include "panel/panel_layout.h"

namespace {

bool scoreDeferred = false;
bool scorePending = false;

constexpr int TextSize = Text260Size;  // at most 259 characters and the NUL
constexpr int ScoreReadSize = 255;     // the score reads at most 254 characters
constexpr int ScoreDisplayId = 32;
constexpr int CodeDisplayId = 30;
constexpr const char* PictureType = "IMG";
constexpr const char* HintCaption = "texte";

std::string controlText(HWND panel, int id, int size = TextSize) {
    char text[TextSize] = {};
    GetDlgItemTextA(panel, id, text, size);
    return text;
}

void showControl(HWND panel, int id, int command) {
    if (HWND control = GetDlgItem(panel, id)) ShowWindow(control, command);
}

const char* expectedAnswer(const QuestionEntry* entry, int box) {
    if (!entry) return "";
    return box == 2 ? entry->answer2.c_str() : entry->answer1.c_str();
}

// Swaps in the answer picture; the replaced bitmap belonged to the panel.
void showAnswerPicture(HWND panel, int question) {
    HWND label = GetDlgItem(panel, PictureLabelBaseId + question);
    if (!label) return;
    HBITMAP picture =
        loadPicture(GetModuleHandleA(nullptr), AnswerPictureBaseId + question, PictureType, PictureBox, PictureBox);
    if (!picture) return;
    auto old = reinterpret_cast<HBITMAP>(SendMessageA(label, STM_GETIMAGE, IMAGE_BITMAP, 0));
    SendMessageA(label, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (old && old != picture) DeleteObject(old);
}

void applyHintForRightQuestion(const Quiz& quiz, HWND panel, int question, const QuestionEntry* entry) {
    switch (quiz.hintMode) {
    case HintAnswerPicture: showAnswerPicture(panel, question); break;
    case HintShowLabel: showControl(panel, HintLabelBaseId + question, SW_SHOWNORMAL); break;
    case HintShowMessage:
        showControl(panel, HintLabelBaseId + question, SW_SHOWNORMAL);
        MessageBoxA(nullptr, entry ? entry->hint.c_str() : "", HintCaption, MB_OK);
        break;
    default: break;
    }
}

bool questionComplete(HWND panel, int firstQuestionIndex, int perQuestion, const QuestionEntry* entry) {
    for (int k = 1; k <= perQuestion; ++k) {
        const std::string typed = controlText(panel, AnswerBoxBaseId + firstQuestionIndex * perQuestion + k);
        if (!boxIsRight(expectedAnswer(entry, k), typed.c_str())) return false;
    }
    return true;
}

void revealAllHintsWhenSolved(Quiz& quiz, HWND panel) {
    const int slots = quiz.questionCount * quiz.answersPerQuestion;
    int right = 0;
    for (int s = 1; s <= slots; ++s)
        if (controlText(panel, VerdictLabelBaseId + s) == VerdictRight) ++right;
    if (right != slots) return;
    quiz.quizSolved = 1;
    for (int q = 1; q <= quiz.questionCount; ++q) showControl(panel, HintLabelBaseId + q, SW_SHOWNORMAL);
}

void evaluate(Quiz& quiz, HWND panel, int editId) {
    const int perQuestion = quiz.answersPerQuestion == 2 ? 2 : 1;
    const BoxPlace place = boxPlace(editId, quiz.answersPerQuestion);
    const int questionIndex = place.questionIndex;
    const int box = place.box;
    const QuestionEntry* entry = quiz.entries.entryAt(questionIndex);
    const int question = questionIndex + 1;

    const std::string typed = controlText(panel, editId);
    const char* verdict = verdictFor(expectedAnswer(entry, box), typed.c_str());
    const bool right = std::strcmp(verdict, VerdictRight) == 0;

    if (right && quiz.hintMode != HintNone &&
        questionComplete(panel, questionIndex, perQuestion, entry))
        applyHintForRightQuestion(quiz, panel, question, entry);

    if (!right) {
        showControl(panel, HintLabelBaseId + question, SW_HIDE);
        quiz.quizSolved = 0;
    }
    SetDlgItemTextA(panel, editId + VerdictOffset, verdict);

    if (quiz.hintMode == HintAllAtEnd && quiz.quizSolved == 0) revealAllHintsWhenSolved(quiz, panel);
    updateScore(quiz, panel);
}

}  // namespace

void evaluateAnswer(Quiz& quiz, HWND panel, int editId) {
    try {
        evaluate(quiz, panel, editId);
    } catch (...) {
        // Out of memory: the box keeps its previous verdict.
    }
}

void deferScoreUpdates() {
    scoreDeferred = true;
    scorePending = false;
}

void resumeScoreUpdates(const Quiz& quiz, HWND panel) {
    scoreDeferred = false;
    if (scorePending) updateScore(quiz, panel);
    scorePending = false;
}

void updateScore(const Quiz& quiz, HWND panel) {
    if (scoreDeferred) {
        scorePending = true;
        return;
    }
    try {
        const int score = countScore(quiz.questionCount, quiz.answersPerQuestion, [panel](int slot) {
            return controlText(panel, VerdictLabelBaseId + slot, ScoreReadSize);
        });
        HWND header = currentGdi ? currentGdi->headerPanel : nullptr;
        if (!header) return;
        SetDlgItemTextA(header, ScoreDisplayId, scoreText(score, quiz.questionCount).c_str());
        SetDlgItemTextA(header, CodeDisplayId, rewardCodeText(quiz, score).c_str());
    } catch (...) {
        // Out of memory: the header keeps the previous score.
    }
}
