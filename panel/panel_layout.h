#pragma once
// Where every control of the question panel goes: the text rows and the grid
// of three cells to a row, with their identifiers, styles and fonts, in the
// order the panel creates them. Pure arithmetic, no windows.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "media/picture_fit.h"
#include "panel/control_ids.h"


// Window styles, as the controls are created with them.
constexpr uint32_t NumberLabelStyle = 0x50000002;   // WS_CHILD | WS_VISIBLE | SS_RIGHT
constexpr uint32_t BorderedLabelStyle = 0x50800201; // + WS_BORDER | SS_CENTER | SS_CENTERIMAGE
constexpr uint32_t AnswerBoxStyle = 0x50810081;     // WS_BORDER | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL
constexpr uint32_t CaptionStyle = 0x50000000;       // WS_CHILD | WS_VISIBLE
constexpr uint32_t MediaButtonStyle = 0x50010041;   // WS_TABSTOP | BS_DEFPUSHBUTTON | BS_ICON
constexpr uint32_t HintLabelStyle = 0x50000001;     // WS_CHILD | WS_VISIBLE | SS_CENTER
constexpr uint32_t PictureLabelStyle = 0x5080020E;  // WS_BORDER | SS_BITMAP | SS_CENTERIMAGE

enum class ControlRole {
    NumberLabel,    // text: "%d." of the question
    QuestionLabel,  // text: the entry's label
    Caption1,       // text: the quiz's answerCaption1
    Caption2,       // text: the quiz's answerCaption2
    PictureLabel,   // bitmap of picture 400 + question, when it loaded
    PlayButton,     // play icon
    StopButton,     // stop icon
    AnswerBox,      // text: the next saved answer line
    VerdictLabel,   // text: "?"; the box just before it is judged once it exists
    HintLabel,      // text: the entry's hint, then hidden
};

enum class FontKind {
    None,        // no WM_SETFONT: the platform's default font
    Answer,      // the quiz's answer font, set without redraw
    DefaultGui,  // the stock DEFAULT_GUI_FONT, set with redraw
};

struct PanelControl {
    ControlRole role;
    const char* className;  // "Static", "STATIC", "Edit" or "Button"
    std::string text;       // fixed texts only ("1.", "?"); other roles take theirs elsewhere
    uint32_t style;
    int x, y, width, height;
    int id;
    FontKind font;
    int question;  // 1-based
    int slot;      // AnswerSlot for answer boxes and verdict labels, otherwise 0
};

struct PanelLayoutInput {
    int32_t kind = 0;
    int32_t questionCount = 0;
    int32_t answersPerQuestion = 1;
    int32_t hintMode = 0;
    // Size of a question picture ("IMG" resource id) once scaled to 260 x 260.
    // Asked for exactly once per id: ids 400 + q .. 402 + q at the first cell
    // of every row of a picture quiz, in ascending order.
    std::function<PictureSize(int resourceId)> pictureSize;  // 0 x 0: the picture did not load
};

struct PanelLayout {
    std::vector<PanelControl> controls;  // in creation order
    int32_t contentWidth = 0;
    int32_t contentHeight = 0;
};

PanelLayout layoutPanel(const PanelLayoutInput& input);

// AnswerSlot of box j (1-based) of question q.
inline int answerSlot(int question, int box, int answersPerQuestion) {
    return (question - 1) * answersPerQuestion + box;
}

// The question (0-based) and the box (1 or 2) an answer box identifier
// stands for. With two boxes per question odd slots are first boxes; any
// count other than 2 is taken as one box per question.
struct BoxPlace {
    int questionIndex;
    int box;
};
inline BoxPlace boxPlace(int editId, int answersPerQuestion) {
    if (answersPerQuestion == 2) return {(editId - 3999) / 2 - 1, editId % 2 == 0 ? 2 : 1};
    return {editId - 4001, 1};
}
