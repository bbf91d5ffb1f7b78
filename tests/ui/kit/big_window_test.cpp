#include "support/qt_printing.h"
#include "ui/kit/big_window.h"

#include <QApplication>
#include <QTest>

#include <cctype>
#include <gtest/gtest.h>
#include <string>

// The frame of the big windows on its own: a window that only counts its
// layout passes and remembers the client area each one had.

namespace {

class CountingWindow : public BigWindow
{
public:
    CountingWindow() : BigWindow(QStringLiteral("Counting"), QStringLiteral("Counting"), nullptr)
    {
        resize(640, 480);
    }

    int passes = 0;
    QSize lastArea;

protected:
    void layOutClient(QSize area) override
    {
        ++passes;
        lastArea = area;
    }
};

struct ResizeCase
{
    const char* name;
    QSize asked;
};

void PrintTo(const ResizeCase& c, std::ostream* out)
{
    *out << c.name;
}

class OneResize : public testing::TestWithParam<ResizeCase>
{
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // A resize before the window comes to rest counts as part of a drag.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window.isAtRest(); }));
        window.passes = 0;
    }

    CountingWindow window;
};

TEST_P(OneResize, IsLaidOutOnceAtTheSizeTheWindowSettlesAt)
{
    window.resize(GetParam().asked);
    QApplication::processEvents();
    EXPECT_EQ(window.passes, 1);
    // The outer size is 4:3, its height rounded to an even number.
    const QSize outer = window.frameGeometry().size();
    EXPECT_NEAR(outer.width() * 0.75, outer.height(), 1.0)
        << outer.width() << "x" << outer.height();
    EXPECT_EQ(window.lastArea.width(), window.width());
    EXPECT_EQ(window.lastArea.height(), window.height() - 19);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OneResize,
                         testing::Values(ResizeCase{"already 4:3 with its frame", QSize(700, 524)},
                                         ResizeCase{"wider than 4:3", QSize(700, 480)},
                                         ResizeCase{"taller than 4:3", QSize(640, 560)}),
                         [](const testing::TestParamInfo<ResizeCase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(BigWindow, PutsTheClientAreaBelowThePaintedTitle)
{
    CountingWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto* area = window.findChild<QWidget*>(QStringLiteral("ClientArea"));
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->geometry() == QRect(0, 19, window.width(), window.height() - 19));
}

} // namespace
