#include "panel/panel_layout.h"

#include <algorithm>
#include <string>

namespace {

constexpr int KindText = 0;
constexpr int KindPicture = 1;
constexpr int KindSound = 2;
constexpr int KindVideo = 3;

// Text rows.
constexpr int TextFirstRowTop = 5;
constexpr int TextRowPitch = 25;
constexpr int TextContentWidth = 830;

// Grid cells.
constexpr int CellsPerRow = 3;
constexpr int GridFirstRowTop = 5;
constexpr int CellPitch = 290;
constexpr int CellLeftOneBox = 46;
constexpr int CellLeftTwoBoxes = 106;
constexpr int GridContentWidth = 890;
constexpr int PictureGapBelow = 10;
constexpr int VideoSpaceAbove = 210;
constexpr int MediaButtonsWidth = 20;
constexpr int RowBottomWithHints = 140;
constexpr int RowBottomWithoutHints = 60;

constexpr int MarginTwoBoxes = 80;
constexpr int MarginOneBox = 20;

constexpr int HintModeWithLabels = 1;  // hint labels exist above this mode

PanelControl control(ControlRole role, const char* className, std::string text, uint32_t style,
                     int x, int y, int width, int height, int id, FontKind font, int question,
                     int slot = 0) {
    return PanelControl{role, className, std::move(text), style, x, y, width, height,
                        id, font, question, slot};
}

std::string numberText(int question) { return std::to_string(question) + "."; }

// Appends an answer box and its verdict label, in the order the panel makes them.
void addBox(PanelLayout& layout, int slot, int question, int x, int y, int boxWidth,
            int verdictX, int verdictY, int verdictWidth, FontKind verdictFont) {
    layout.controls.push_back(control(ControlRole::AnswerBox, "Edit", {}, AnswerBoxStyle, x, y,
                                      boxWidth, 20, AnswerBoxBaseId + slot, FontKind::Answer,
                                      question, slot));
    layout.controls.push_back(control(ControlRole::VerdictLabel, "Static", "?", BorderedLabelStyle,
                                      verdictX, verdictY, verdictWidth, 20,
                                      VerdictLabelBaseId + slot, verdictFont, question, slot));
}

void layoutTextRow(PanelLayout& layout, int q) {
    const int y = TextFirstRowTop + TextRowPitch * (q - 1);
    layout.controls.push_back(control(ControlRole::NumberLabel, "Static", numberText(q),
                                      NumberLabelStyle, 26, y + 2, 19, 17, NumberLabelId,
                                      FontKind::None, q));
    layout.controls.push_back(control(ControlRole::QuestionLabel, "Static", {}, BorderedLabelStyle,
                                      50, y, 550, 20, QuestionLabelId, FontKind::DefaultGui, q));
    // A text quiz has one box per question whatever answersPerQuestion says.
    addBox(layout, q, q, 610, y, 100, 720, y, 100, FontKind::None);
    layout.contentWidth = TextContentWidth;
    layout.contentHeight = y + TextRowPitch;
}

struct GridState {
    int rowTop = GridFirstRowTop;
    int rowHeight = 0;
    PictureSize rowPictures[CellsPerRow];  // pictures 400 + q .. 402 + q of the row's first q
};

void layoutGridCell(PanelLayout& layout, GridState& grid, const PanelLayoutInput& in, int q) {
    const int column = (q - 1) % CellsPerRow;
    const int perQuestion = in.answersPerQuestion;
    const int cellX = (perQuestion == 2 ? CellLeftTwoBoxes : CellLeftOneBox) + CellPitch * column;
    const bool picture = in.kind == KindPicture;
    const int boxWidth = picture ? PictureBox : 240;
    const int verdictWidth = boxWidth;

    if (picture && column == 0) {
        // The row's height: the tallest of this cell's picture and the next two
        // ids, whether or not those questions exist.
        grid.rowHeight = 0;
        for (int k = 0; k < CellsPerRow; ++k) {
            grid.rowPictures[k] =
                in.pictureSize ? in.pictureSize(QuestionPictureBaseId + q + k) : PictureSize{};
            grid.rowHeight = std::max(grid.rowHeight, grid.rowPictures[k].height);
        }
    }

    int u = 0;
    int t = 0;
    if (picture) {
        u = grid.rowHeight + PictureGapBelow;
    } else {
        t = MediaButtonsWidth;
        if (in.kind == KindVideo) u = VideoSpaceAbove;
    }
    const int cellY = grid.rowTop + u;

    if (picture) {
        PictureSize size = grid.rowPictures[column];
        int pw = size.width;
        int ph = size.height;
        if (pw == 0 && ph == 0) {
            pw = PictureBox;
            ph = grid.rowHeight;
        }
        layout.controls.push_back(control(ControlRole::PictureLabel, "STATIC", {},
                                          PictureLabelStyle, cellX + (PictureBox - pw) / 2,
                                          grid.rowTop + (grid.rowHeight - ph) / 2, pw, ph,
                                          PictureLabelBaseId + q, FontKind::None, q));
    }
    if (perQuestion == 2 && column == 0) {
        layout.controls.push_back(control(ControlRole::Caption1, "Static", {}, CaptionStyle, 4,
                                          cellY + 2, 95, 20, CaptionLabelId, FontKind::DefaultGui,
                                          q));
        layout.controls.push_back(control(ControlRole::Caption2, "Static", {}, CaptionStyle, 3,
                                          cellY + 22, 95, 20, CaptionLabelId, FontKind::DefaultGui,
                                          q));
    }
    layout.controls.push_back(control(ControlRole::NumberLabel, "Static", numberText(q),
                                      NumberLabelStyle, cellX - 28, cellY + 2, 27, 17,
                                      NumberLabelId, FontKind::None, q));
    if (!picture) {
        layout.controls.push_back(control(ControlRole::PlayButton, "Button", {}, MediaButtonStyle,
                                          cellX, cellY, 20, 20, PlayButtonBaseId + q,
                                          FontKind::None, q));
        layout.controls.push_back(control(ControlRole::StopButton, "Button", {}, MediaButtonStyle,
                                          cellX, cellY + 20, 20, 19, StopButtonBaseId + q,
                                          FontKind::None, q));
    }
    if (perQuestion == 1) {
        addBox(layout, q, q, cellX + t, cellY, boxWidth, cellX + t, cellY + 19, verdictWidth,
               FontKind::None);
    } else if (perQuestion == 2) {
        for (int j = 1; j <= 2; ++j) {
            const int y = cellY + 19 * (j - 1);
            addBox(layout, answerSlot(q, j, 2), q, cellX + t, y, boxWidth - 59,
                   cellX + t + boxWidth - 60, y, 60, FontKind::DefaultGui);
        }
    }
    const bool hints = in.hintMode > HintModeWithLabels;
    if (hints) {
        layout.controls.push_back(control(ControlRole::HintLabel, "Static", {}, HintLabelStyle,
                                          cellX, cellY + 46, 260, 65, HintLabelBaseId + q,
                                          FontKind::DefaultGui, q));
    }

    const int rowBottom = cellY + (hints ? RowBottomWithHints : RowBottomWithoutHints);
    if (column == 0) {
        layout.contentWidth = GridContentWidth;
        layout.contentHeight = rowBottom;
    } else if (column == CellsPerRow - 1) {
        grid.rowTop = rowBottom;
    }
}

}  // namespace

PanelLayout layoutPanel(const PanelLayoutInput& in) {
    PanelLayout layout;
    GridState grid;
    for (int q = 1; q <= in.questionCount; ++q) {
        if (in.kind == KindText) {
            layoutTextRow(layout, q);
        } else if (in.kind == KindPicture || in.kind == KindSound || in.kind == KindVideo) {
            layoutGridCell(layout, grid, in, q);
        }
    }
    layout.contentWidth += in.answersPerQuestion == 2 ? MarginTwoBoxes : MarginOneBox;
    return layout;
}
