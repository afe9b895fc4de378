#include "panel/panel_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

std::vector<const PanelControl*> withRole(const PanelLayout& layout, ControlRole role) {
    std::vector<const PanelControl*> found;
    for (const auto& c : layout.controls)
        if (c.role == role) found.push_back(&c);
    return found;
}

const PanelControl* withId(const PanelLayout& layout, int id) {
    for (const auto& c : layout.controls)
        if (c.id == id) return &c;
    return nullptr;
}

// Pictures available by resource id; everything else fails to load. Records
// each id asked for.
struct FakePictures {
    std::map<int, PictureSize> sizes;
    std::vector<int> asked;
    std::function<PictureSize(int)> lookup() {
        return [this](int id) {
            asked.push_back(id);
            auto it = sizes.find(id);
            return it == sizes.end() ? PictureSize{} : it->second;
        };
    }
};

TEST(PanelLayout, TextQuizRowsAndExtents) {
    PanelLayout layout = layoutPanel({0, 3, 1, 0, nullptr});
    EXPECT_EQ(layout.contentWidth, 850);
    EXPECT_EQ(layout.contentHeight, 80);
    ASSERT_EQ(layout.controls.size(), 12u);

    const int rowTops[] = {5, 30, 55};
    for (int q = 1; q <= 3; ++q) {
        const PanelControl* row = &layout.controls[(q - 1) * 4];
        const int y = rowTops[q - 1];
        EXPECT_EQ(row[0].role, ControlRole::NumberLabel);
        EXPECT_EQ(row[0].text, std::to_string(q) + ".");
        EXPECT_EQ(row[0].id, NumberLabelId);
        EXPECT_EQ(row[0].style, 0x50000002u);
        EXPECT_EQ(std::vector<int>({row[0].x, row[0].y, row[0].width, row[0].height}),
                  std::vector<int>({26, y + 2, 19, 17}));
        EXPECT_EQ(row[1].role, ControlRole::QuestionLabel);
        EXPECT_EQ(row[1].id, 3000);
        EXPECT_EQ(row[1].font, FontKind::DefaultGui);
        EXPECT_EQ(std::vector<int>({row[1].x, row[1].y, row[1].width, row[1].height}),
                  std::vector<int>({50, y, 550, 20}));
        EXPECT_EQ(row[2].role, ControlRole::AnswerBox);
        EXPECT_STREQ(row[2].className, "Edit");
        EXPECT_EQ(row[2].id, 4000 + q);
        EXPECT_EQ(row[2].style, 0x50810081u);
        EXPECT_EQ(row[2].font, FontKind::Answer);
        EXPECT_EQ(std::vector<int>({row[2].x, row[2].y, row[2].width, row[2].height}),
                  std::vector<int>({610, y, 100, 20}));
        EXPECT_EQ(row[3].role, ControlRole::VerdictLabel);
        EXPECT_EQ(row[3].text, "?");
        EXPECT_EQ(row[3].id, 5000 + q);
        EXPECT_EQ(row[3].style, 0x50800201u);
        EXPECT_EQ(row[3].font, FontKind::None);
        EXPECT_EQ(std::vector<int>({row[3].x, row[3].y, row[3].width, row[3].height}),
                  std::vector<int>({720, y, 100, 20}));
    }
}

TEST(PanelLayout, TextQuizWithTwoAnswersStillHasOneBoxPerQuestion) {
    PanelLayout layout = layoutPanel({0, 4, 2, 3, nullptr});
    auto boxes = withRole(layout, ControlRole::AnswerBox);
    ASSERT_EQ(boxes.size(), 4u);
    for (int q = 1; q <= 4; ++q) EXPECT_EQ(boxes[q - 1]->id, 4000 + q);
    EXPECT_TRUE(withRole(layout, ControlRole::HintLabel).empty());
    EXPECT_TRUE(withRole(layout, ControlRole::Caption1).empty());
    EXPECT_EQ(layout.contentWidth, 910);
}

TEST(PanelLayout, PictureQuizOfFourWithSquarePictures) {
    FakePictures pictures;
    for (int id : {401, 402, 403, 404}) pictures.sizes[id] = {260, 260};
    PanelLayout layout = layoutPanel({1, 4, 1, 0, pictures.lookup()});

    // Each picture is measured once, at the first cell of its row.
    EXPECT_EQ(pictures.asked, std::vector<int>({401, 402, 403, 404, 405, 406}));
    EXPECT_EQ(layout.contentWidth, 910);
    EXPECT_EQ(layout.contentHeight, 665);

    const int cellX[] = {46, 336, 626, 46};
    const int boxY[] = {275, 275, 275, 605};
    const int rowTop[] = {5, 5, 5, 335};
    for (int q = 1; q <= 4; ++q) {
        const PanelControl* box = withId(layout, 4000 + q);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->x, cellX[q - 1]);
        EXPECT_EQ(box->y, boxY[q - 1]);
        EXPECT_EQ(box->width, 260);
        const PanelControl* verdict = withId(layout, 5000 + q);
        ASSERT_NE(verdict, nullptr);
        EXPECT_EQ(std::vector<int>({verdict->x, verdict->y, verdict->width, verdict->height}),
                  std::vector<int>({cellX[q - 1], boxY[q - 1] + 19, 260, 20}));
        const PanelControl* picture = withId(layout, 9900 + q);
        ASSERT_NE(picture, nullptr);
        EXPECT_STREQ(picture->className, "STATIC");
        EXPECT_EQ(picture->style, 0x5080020Eu);
        EXPECT_EQ(std::vector<int>({picture->x, picture->y, picture->width, picture->height}),
                  std::vector<int>({cellX[q - 1], rowTop[q - 1], 260, 260}));
        const PanelControl* number = nullptr;
        for (const auto& c : layout.controls)
            if (c.role == ControlRole::NumberLabel && c.question == q) number = &c;
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(std::vector<int>({number->x, number->y, number->width, number->height}),
                  std::vector<int>({cellX[q - 1] - 28, boxY[q - 1] + 2, 27, 17}));
    }
    EXPECT_TRUE(withRole(layout, ControlRole::PlayButton).empty());
}

TEST(PanelLayout, PictureCellCreationOrder) {
    FakePictures pictures;
    pictures.sizes[401] = {100, 50};
    PanelLayout layout = layoutPanel({1, 1, 2, 2, pictures.lookup()});
    std::vector<ControlRole> roles;
    for (const auto& c : layout.controls) roles.push_back(c.role);
    EXPECT_EQ(roles, std::vector<ControlRole>({ControlRole::PictureLabel, ControlRole::Caption1,
                                                ControlRole::Caption2, ControlRole::NumberLabel,
                                                ControlRole::AnswerBox, ControlRole::VerdictLabel,
                                                ControlRole::AnswerBox, ControlRole::VerdictLabel,
                                                ControlRole::HintLabel}));
}

TEST(PanelLayout, PictureSmallerThanRowIsCentredAndMissingPictureFillsRow) {
    FakePictures pictures;
    pictures.sizes[401] = {260, 195};  // landscape
    pictures.sizes[403] = {130, 260};  // portrait, sets the row height
    // 402 is missing: an empty frame 260 wide and as high as the row.
    PanelLayout layout = layoutPanel({1, 3, 1, 0, pictures.lookup()});
    const PanelControl* p1 = withId(layout, 9901);
    const PanelControl* p2 = withId(layout, 9902);
    const PanelControl* p3 = withId(layout, 9903);
    EXPECT_EQ(std::vector<int>({p1->x, p1->y, p1->width, p1->height}),
              std::vector<int>({46, 5 + 32, 260, 195}));
    EXPECT_EQ(std::vector<int>({p2->x, p2->y, p2->width, p2->height}),
              std::vector<int>({336, 5, 260, 260}));
    EXPECT_EQ(std::vector<int>({p3->x, p3->y, p3->width, p3->height}),
              std::vector<int>({626 + 65, 5, 130, 260}));
}

TEST(PanelLayout, LastRowCountsPicturesBeyondTheQuestions) {
    FakePictures pictures;
    pictures.sizes[401] = {260, 100};
    pictures.sizes[403] = {200, 200};  // not a question of this quiz, still measured
    PanelLayout layout = layoutPanel({1, 1, 1, 0, pictures.lookup()});
    EXPECT_EQ(withId(layout, 4001)->y, 5 + 200 + 10);
    EXPECT_EQ(withId(layout, 9901)->y, 5 + 50);
    EXPECT_EQ(layout.contentHeight, 5 + 210 + 60);
}

TEST(PanelLayout, RowOfFailedPicturesHasHeightZero) {
    PanelLayout layout = layoutPanel({1, 2, 1, 2, nullptr});
    EXPECT_EQ(withId(layout, 4001)->y, 15);
    const PanelControl* picture = withId(layout, 9902);
    EXPECT_EQ(std::vector<int>({picture->width, picture->height}), std::vector<int>({260, 0}));
    EXPECT_EQ(layout.contentHeight, 15 + 140);
}

TEST(PanelLayout, SoundQuizWithTwoBoxes) {
    PanelLayout layout = layoutPanel({2, 4, 2, 0, nullptr});
    EXPECT_EQ(layout.contentWidth, 970);
    EXPECT_EQ(layout.contentHeight, 65 + 60);

    const int cellX[] = {106, 396, 686, 106};
    const int cellY[] = {5, 5, 5, 65};
    for (int q = 1; q <= 4; ++q) {
        const int x = cellX[q - 1];
        const int y = cellY[q - 1];
        const PanelControl* play = withId(layout, 6000 + q);
        const PanelControl* stop = withId(layout, 7000 + q);
        ASSERT_TRUE(play && stop);
        EXPECT_EQ(play->style, 0x50010041u);
        EXPECT_EQ(std::vector<int>({play->x, play->y, play->width, play->height}),
                  std::vector<int>({x, y, 20, 20}));
        EXPECT_EQ(std::vector<int>({stop->x, stop->y, stop->width, stop->height}),
                  std::vector<int>({x, y + 20, 20, 19}));
        for (int j = 1; j <= 2; ++j) {
            const int s = 2 * (q - 1) + j;
            const PanelControl* box = withId(layout, 4000 + s);
            const PanelControl* verdict = withId(layout, 5000 + s);
            ASSERT_TRUE(box && verdict);
            EXPECT_EQ(std::vector<int>({box->x, box->y, box->width, box->height}),
                      std::vector<int>({x + 20, y + 19 * (j - 1), 181, 20}));
            EXPECT_EQ(std::vector<int>({verdict->x, verdict->y, verdict->width}),
                      std::vector<int>({x + 20 + 180, y + 19 * (j - 1), 60}));
            EXPECT_EQ(verdict->font, FontKind::DefaultGui);
        }
    }
    // Captions at the left edge of every row, sharing one identifier.
    auto first = withRole(layout, ControlRole::Caption1);
    auto second = withRole(layout, ControlRole::Caption2);
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(std::vector<int>({first[1]->x, first[1]->y, first[1]->width, first[1]->height,
                                first[1]->id}),
              std::vector<int>({4, 67, 95, 20, 156}));
    EXPECT_EQ(std::vector<int>({second[1]->x, second[1]->y, second[1]->id}),
              std::vector<int>({3, 87, 156}));
}

TEST(PanelLayout, VideoCellsStartBelowTheirSpace) {
    PanelLayout layout = layoutPanel({3, 4, 1, 2, nullptr});
    EXPECT_EQ(withId(layout, 6001)->y, 215);
    EXPECT_EQ(withId(layout, 4001)->x, 66);
    EXPECT_EQ(withId(layout, 4001)->y, 215);
    EXPECT_EQ(withId(layout, 4001)->width, 240);
    EXPECT_EQ(withId(layout, 5001)->y, 234);
    const PanelControl* hint = withId(layout, 8001);
    EXPECT_EQ(std::vector<int>({hint->x, hint->y, hint->width, hint->height}),
              std::vector<int>({46, 261, 260, 65}));
    // Rows are 210 + 140 high with hint labels.
    EXPECT_EQ(withId(layout, 4004)->y, 5 + 350 + 210);
    EXPECT_EQ(layout.contentHeight, 5 + 350 + 350);
    EXPECT_EQ(layout.contentWidth, 910);
}

TEST(PanelLayout, EmptyAndUnknownQuizzesOnlyGetTheMargin) {
    struct Case {
        int32_t kind, count, perQuestion;
        int width;
    } cases[] = {{0, 0, 1, 20}, {1, 0, 2, 80}, {4, 5, 1, 20}, {-1, 3, 2, 80}};
    for (const auto& c : cases) {
        PanelLayout layout = layoutPanel({c.kind, c.count, c.perQuestion, 0, nullptr});
        EXPECT_TRUE(layout.controls.empty()) << c.kind;
        EXPECT_EQ(layout.contentWidth, c.width) << c.kind;
        EXPECT_EQ(layout.contentHeight, 0) << c.kind;
    }
}

TEST(PanelLayout, HintLabelsOnlyAboveModeOne) {
    for (int mode : {0, 1, 2, 3, 4, 9}) {
        PanelLayout layout = layoutPanel({2, 3, 1, mode, nullptr});
        EXPECT_EQ(withRole(layout, ControlRole::HintLabel).size(), mode > 1 ? 3u : 0u) << mode;
    }
}

}  // namespace

namespace {

TEST(PanelLayout, BoxIdentifierLeadsBackToItsQuestionAndBox) {
    struct Case {
        int editId, perQuestion, questionIndex, box;
    } cases[] = {
        {4001, 1, 0, 1}, {4003, 1, 2, 1}, {4096, 1, 95, 1},
        {4001, 2, 0, 1}, {4002, 2, 0, 2}, {4003, 2, 1, 1}, {4004, 2, 1, 2}, {4192, 2, 95, 2},
        {4002, 3, 1, 1},  // counts other than 2 are read as one box per question
    };
    for (const auto& c : cases) {
        const BoxPlace place = boxPlace(c.editId, c.perQuestion);
        EXPECT_EQ(place.questionIndex, c.questionIndex) << c.editId << " " << c.perQuestion;
        EXPECT_EQ(place.box, c.box) << c.editId << " " << c.perQuestion;
        if (c.perQuestion <= 2)
            EXPECT_EQ(answerSlot(place.questionIndex + 1, place.box, c.perQuestion), c.editId - 4000);
    }
}

}  // namespace
