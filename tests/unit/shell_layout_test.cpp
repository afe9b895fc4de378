#include "app/shell_layout.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

void expectRect(const ShellRect& rect, int x, int y, int width, int height) {
    EXPECT_EQ(rect.x, x);
    EXPECT_EQ(rect.y, y);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

const HeaderMove* findMove(const HeaderLayout& layout, int id) {
    for (const HeaderMove& move : layout.moves)
        if (move.id == id) return &move;
    return nullptr;
}

}  // namespace

TEST(MainLayout, StartSizePlacesPanelsAndLabel) {
    // 544 x 375 outer gives a client of about 528 x 337 with a normal frame.
    const MainLayout layout = mainLayout(528, 337);
    expectRect(layout.headerPanel, 5, 2, 517, 49);
    expectRect(layout.questionPanel, 5, 50, 517, 269);
    expectRect(layout.versionLabel, 383, 321, 140, 15);
    // The header's lowest row is the question panel's top row; two rows stay
    // free between the question panel and the label.
    EXPECT_EQ(layout.headerPanel.y + layout.headerPanel.height - 1, layout.questionPanel.y);
    EXPECT_EQ(layout.versionLabel.y - (layout.questionPanel.y + layout.questionPanel.height), 2);
}

TEST(MainLayout, ResizingMovesOnlyWhatFollowsTheEdges) {
    const MainLayout small = mainLayout(528, 337);
    const MainLayout large = mainLayout(528 + 400, 337 + 150);
    EXPECT_EQ(large.headerPanel.height, 49);
    EXPECT_EQ(large.headerPanel.width - small.headerPanel.width, 400);
    EXPECT_EQ(large.questionPanel.height - small.questionPanel.height, 150);
    EXPECT_EQ(large.versionLabel.x - small.versionLabel.x, 400);
    EXPECT_EQ(large.versionLabel.y - small.versionLabel.y, 150);
}

TEST(MainLayout, TinyClientAreasGiveEmptyPanelsNotNegativeOnes) {
    struct Case {
        int width, height;
    };
    for (const Case& c : {Case{0, 0}, Case{10, 67}, Case{11, 68}, Case{3, 200}, Case{300, 20}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const MainLayout layout = mainLayout(c.width, c.height);
        EXPECT_GE(layout.headerPanel.width, 0);
        EXPECT_GE(layout.questionPanel.width, 0);
        EXPECT_GE(layout.questionPanel.height, 0);
        EXPECT_EQ(layout.versionLabel.x, c.width - 145);  // a position may go negative
    }
    EXPECT_EQ(mainLayout(12, 69).questionPanel.width, 1);
    EXPECT_EQ(mainLayout(12, 69).questionPanel.height, 1);
}

TEST(HeaderLayout, RightBlockFollowsTheEdgeAndSubtitleWidens) {
    const HeaderLayout narrow = headerLayout(515);
    const HeaderLayout wide = headerLayout(515 + 200);
    for (int id : {HeaderLinkId, HeaderById, HeaderAuthorId, HeaderSaveId, HeaderRightLineId}) {
        SCOPED_TRACE(id);
        ASSERT_NE(findMove(wide, id), nullptr);
        EXPECT_EQ(findMove(wide, id)->place.x - findMove(narrow, id)->place.x, 200);
        EXPECT_EQ(findMove(wide, id)->place.width, findMove(narrow, id)->place.width);
    }
    EXPECT_EQ(findMove(wide, HeaderSubtitleId)->place.width - findMove(narrow, HeaderSubtitleId)->place.width, 200);
    EXPECT_EQ(findMove(wide, HeaderSubtitleId)->place.x, 110);
    // The left block and the title are not moved at all.
    for (int id : {HeaderTitleId, HeaderCodeId, HeaderCodeCaptionId, HeaderScoreId, HeaderScoreLineId,
                   HeaderLeftLineId})
        EXPECT_EQ(findMove(wide, id), nullptr) << id;
}

TEST(HeaderLayout, PlacesAndRepaintsEachMovedControl) {
    const HeaderLayout layout = headerLayout(1000);
    struct Expected {
        int id, x, y, width, height;
        bool invalidate;
    };
    const Expected table[] = {
        {HeaderLinkId, 866, 0, 115, 18, false},   {HeaderById, 866, 25, 26, 18, false},
        {HeaderAuthorId, 893, 25, 105, 18, true}, {HeaderSaveId, 796, 25, 55, 18, true},
        {HeaderSubtitleId, 110, 19, 676, 28, true}, {HeaderRightLineId, 855, 0, 1, 50, true},
    };
    ASSERT_EQ(std::size(table), static_cast<std::size_t>(HeaderMoveCount));
    for (std::size_t i = 0; i < std::size(table); ++i) {
        SCOPED_TRACE(table[i].id);
        EXPECT_EQ(layout.moves[i].id, table[i].id);  // moved in this order
        expectRect(layout.moves[i].place, table[i].x, table[i].y, table[i].width, table[i].height);
        EXPECT_EQ(layout.moves[i].invalidate, table[i].invalidate);
    }
}

TEST(HeaderLayout, NarrowPanelClampsTheSubtitleToZero) {
    for (int width : {0, 100, 323, 324}) EXPECT_EQ(findMove(headerLayout(width), HeaderSubtitleId)->place.width, 0);
    EXPECT_EQ(findMove(headerLayout(325), HeaderSubtitleId)->place.width, 1);
}
