#include "core/layout/layout_math.h"
#include "core/layout/main_layout.h"
#include "core/layout/register_layout.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundEven(481.5), 482);
    EXPECT_EQ(roundEven(480.5), 480);
    EXPECT_EQ(roundEven(480.51), 481);
    EXPECT_EQ(roundEven(-0.5), 0);
    EXPECT_EQ(trunc0(7.9), 7);
    EXPECT_EQ(trunc0(-7.9), -7);
}

struct LockCase
{
    const char* label;
    QSize previous; // the size of the last pass; (0, 0) before the first
    QSize resizedTo;
    QSize settles;
};

class AspectLockPasses : public testing::TestWithParam<LockCase>
{};

TEST_P(AspectLockPasses, KeepFourByThree)
{
    const LockCase& c = GetParam();
    AspectLock lock;
    if (!c.previous.isEmpty())
        lock.LockAspectRatio(c.previous);
    const std::optional<QSize> result = lock.LockAspectRatio(c.resizedTo);
    EXPECT_EQ(result.value_or(c.resizedTo), c.settles) << c.label;
    // The size it settles on is stable: the pass that follows changes nothing.
    EXPECT_FALSE(lock.LockAspectRatio(c.settles).has_value()) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AspectLockPasses,
    testing::Values(
        LockCase{"the bottom edge dragged to 600", {640, 480}, {640, 600}, {800, 600}},
        LockCase{"the right edge dragged to 800", {640, 480}, {800, 480}, {800, 600}},
        LockCase{
            "640 to 642 wide rounds 481.5 to 482, then 643", {640, 480}, {642, 480}, {643, 482}},
        LockCase{"equal changes count as a width change", {640, 480}, {700, 540}, {700, 525}},
        LockCase{"the first pass keeps the width", {}, {656, 480}, {656, 492}},
        LockCase{"the register's first pass keeps 640 by 480", {}, {640, 480}, {640, 480}},
        LockCase{"a maximised window follows the larger change",
                 {640, 480},
                 {1280, 1000},
                 {1280, 960}}));

TEST(AspectLock, RemembersTheSizeEachPassStartedWith)
{
    AspectLock lock;
    lock.LockAspectRatio({640, 480});
    ASSERT_EQ(lock.LockAspectRatio({642, 480}), QSize(643, 482));
    EXPECT_EQ(lock.prevWidth(), 643);
    EXPECT_EQ(lock.prevHeight(), 482);
}

TEST(MinimumSize, DependsOnTheScreen)
{
    EXPECT_EQ(minimumOuterSize({640, 480}), QSize(512, 384));
    EXPECT_EQ(minimumOuterSize({800, 480}), QSize(512, 384));
    EXPECT_EQ(minimumOuterSize({640, 1024}), QSize(512, 384));
    EXPECT_EQ(minimumOuterSize({800, 600}), QSize(640, 480));
    EXPECT_EQ(minimumOuterSize({1024, 768}), QSize(640, 480));
}

// Text 10 pixels wide a character of the given height, as a stand-in font.
QSize fakeText(const std::string& label, int pixels)
{
    return {int(label.size()) * 10, pixels + 4};
}

MainLayout mainAt(int width, int height)
{
    MainLayoutInput in;
    in.width = width;
    in.height = height;
    in.naturalSize = [](const char* label, int pixels) { return fakeText(label, pixels); };
    in.e1 = QSize(79, 16);
    in.e2 = QSize(79, 16);
    return LayoutMainWindow(in);
}

TEST(MainWindowLayout, AtTheDesignSizeGivesTheDesignBands)
{
    const MainLayout l = mainAt(632, 453);
    EXPECT_EQ(l.windowFont, 15);
    EXPECT_EQ(l.captionFont, 13);
    EXPECT_EQ(l.proPanel1, QRect(0, 0, 632, 24));
    EXPECT_EQ(l.panel1, QRect(0, 24, 632, 75));
    EXPECT_EQ(l.panel3, QRect(0, 99, 632, 28));
    EXPECT_EQ(l.sg1, QRect(0, 127, 632, 180));
    EXPECT_EQ(l.sg1.bottom() + 1, 307);
    EXPECT_EQ(l.rowHeight, 20);
    EXPECT_EQ(l.panel2, QRect(0, 355, 632, 98));
    EXPECT_EQ(l.columnWidths, (std::array<int, 8>{145, 75, 60, 60, 96, 100, 78, 1}));
    const std::vector<QRect> buttons(l.buttons.begin(), l.buttons.end());
    EXPECT_EQ(buttons, (std::vector<QRect>{QRect(6, 314, 161, 24), QRect(173, 314, 109, 24),
                                           QRect(288, 314, 173, 24), QRect(467, 314, 155, 24)}));
}

TEST(MainWindowLayout, TheBannerCentresItsLabelsAndKeepsTheLogoShape)
{
    const MainLayout l = mainAt(632, 453);
    EXPECT_EQ(l.image1, QRect(44, 4, 91, 67));
    EXPECT_EQ(l.label1Font, 21);
    EXPECT_EQ(l.label2Font, 13);
    // Label1 is 60 by 25 with the stand-in font; the gap uses its height twice.
    EXPECT_EQ(l.label1, QRect(316 - 30, 8, 60, 25));
    EXPECT_EQ(l.label2, QRect(316 - 30, 8 + 25 + 8, 60, 17));
}

TEST(MainWindowLayout, TheTotalsLineUpOnTheSecondLine)
{
    const MainLayout l = mainAt(632, 453);
    // gap = round((98 - 6 - 48) / 4) = 11; lines at 14, 41, 68. The labels
    // start at 316 - round((79 + 20) / 2), and round(49.5) is 50.
    EXPECT_EQ(l.labels[0].topLeft(), QPoint(266, 14));
    EXPECT_EQ(l.labels[1].top(), 41);
    EXPECT_EQ(l.labels[2].top(), 68);
    EXPECT_EQ(l.boxes[1], QRect(266 + 20 + 1, 41, 79, 16));
}

TEST(MainWindowLayout, ScalesLikeAPicture)
{
    const MainLayout l = mainAt(1264, 906);
    EXPECT_EQ(l.windowFont, 30);
    EXPECT_EQ(l.sg1, QRect(0, 254, 1264, 360));
    EXPECT_EQ(l.columnWidths[7], 2);
    EXPECT_EQ(l.buttons[0].size(), QSize(322, 48));
}

RegisterLayout registerAt(int width, int height)
{
    RegisterLayoutInput in;
    in.width = width;
    in.height = height;
    in.naturalSize = fakeText;
    return LayoutRegisterWindow(in);
}

TEST(RegisterWindowLayout, AtTheDesignSizeGivesTheDesignMeasures)
{
    const RegisterLayout l = registerAt(632, 453);
    EXPECT_EQ(l.windowFont, 14);
    EXPECT_EQ(l.proPanel1.height(), 24);
    EXPECT_EQ(l.stringGrid.height(), 193);
    EXPECT_EQ(l.rowHeight, 20);
    EXPECT_EQ(l.panel3.height(), 62);
    EXPECT_EQ(l.panel3.bottom() + 1, l.stringGrid.top());
    for (const QRect& button : l.buttons) {
        EXPECT_EQ(button.top(), 7);
        EXPECT_EQ(button.height(), 50);
    }
    EXPECT_EQ(l.stringGrid.width(), 616);
    EXPECT_EQ(l.columnWidths, (std::array<int, 7>{38, 90, 194, 75, 80, 15, 85}));
    EXPECT_EQ(l.buttons[0].left(), 5);
    EXPECT_EQ(l.buttons[1].left(), l.buttons[0].right() + 2);
    for (const char* label : {"Label1", "Label14"})
        EXPECT_EQ(l.details.at(label).top(), 64);
    for (const char* label : {"Label8", "Label15"})
        EXPECT_EQ(l.details.at(label).top(), 87);
    for (const char* label : {"Label9", "Label16"})
        EXPECT_EQ(l.details.at(label).top(), 110);
    for (const char* label : {"Label11", "Label17"})
        EXPECT_EQ(l.details.at(label).top(), 133);
    EXPECT_EQ(l.details.at("E5").height(), 18);
    EXPECT_EQ(l.lHelp.topLeft(), QPoint(30, 2));
    EXPECT_EQ(l.lAbout.topLeft(), QPoint(104, 2));
}

TEST(RegisterWindowLayout, TheStripsWordsFollowAboutAtHelpsDistanceWithTheChartLast)
{
    // "LImport" is 70 pixels wide in the stand-in font, "LChart" 60.
    const RegisterLayout l = registerAt(632, 453);
    int left = l.lAbout.right() + 1;
    const int widths[5] = {70, 100, 70, 70, 60};
    for (std::size_t w = 0; w < l.statementWords.size(); ++w) {
        EXPECT_EQ(l.statementWords[w], QRect(left + 30, 2, widths[w], 18)) << w;
        left = l.statementWords[w].right() + 1;
    }
    const RegisterLayout large = registerAt(1264, 906);
    EXPECT_EQ(large.statementWords[4].left() - large.statementWords[3].right() - 1, 60);
}

TEST(RegisterWindowLayout, ChainsEachItemOnePixelAfterTheOneBefore)
{
    const RegisterLayout l = registerAt(632, 453);
    const auto& d = l.details;
    EXPECT_EQ(d.at("E2").left(), d.at("Label9").right() + 2);
    EXPECT_EQ(d.at("Label19").left(), d.at("E2").right() + 2);
    EXPECT_EQ(d.at("E3").left(), d.at("Label10").right() + 2);
    EXPECT_EQ(d.at("E3").width(), 72);
    EXPECT_EQ(d.at("E6").left(), d.at("Label15").right() + 2);
}

TEST(RegisterWindowLayout, DoublesItsMeasuresAtTwiceTheSize)
{
    const RegisterLayout small = registerAt(632, 453);
    const RegisterLayout large = registerAt(1264, 906);
    EXPECT_EQ(large.windowFont, 27);
    EXPECT_EQ(large.stringGrid.height(), 386);
    EXPECT_EQ(large.panel3.height(), 2 * small.panel3.height());
    EXPECT_EQ(large.buttons[0].height(), 100);
    EXPECT_EQ(large.details.at("Label11").top(), 2 * 133);
    // The grid grows from 616 to 1248: twice, plus the body's bevels.
    EXPECT_EQ(large.stringGrid.width(), 1248);
    const int k[7] = {38, 90, 194, 75, 80, 15, 85};
    for (int c = 0; c < 7; ++c)
        EXPECT_NEAR(large.columnWidths[std::size_t(c)], k[c] * 1248.0 / 616, 0.5) << c;
}

TEST(RegisterWindowLayout, CentresTheOverdrawnNoticeOnTheGrid)
{
    const RegisterLayout l = registerAt(632, 453);
    EXPECT_EQ(l.overdrawn.size(), QSize(225, 41));
    EXPECT_EQ(l.overdrawnFont, 24);
    EXPECT_NEAR(l.overdrawn.center().x(), l.stringGrid.center().x(), 1);
    EXPECT_NEAR(l.overdrawn.center().y(), l.stringGrid.center().y(), 1);
}

TEST(RegisterWindowLayout, TheButtonsShrinkWithTheBarAtTheSmallestSize)
{
    const RegisterLayout l = registerAt(504, 357);
    EXPECT_EQ(l.buttons[7].right(), l.buttons[0].left() + 8 * l.buttons[0].width() + 7 - 1);
    EXPECT_LE(l.buttons[7].right(), l.panel3.width());
}

} // namespace
