#include "ui/kit/pictures.h"
#include "support/qt_printing.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// How many pixels of the picture are not fully transparent.
int paintedPixels(const QImage& image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

TEST(ProgramLogo, HasTheSizeAskedForAndIsDrawnOnATransparentGround)
{
    for (const QSize size : {QSize(65, 57), QSize(91, 67), QSize(32, 32), QSize(200, 100)}) {
        const QImage logo = programLogo(size).toImage();
        EXPECT_EQ(logo.size(), size);
        EXPECT_GT(paintedPixels(logo), size.width() * size.height() / 4) << size.width();
        EXPECT_EQ(qAlpha(logo.pixel(0, logo.height() - 1)), 0) << size.width();
    }
}

TEST(ProgramLogo, KeepsItsShapeInAWideBox)
{
    const QImage logo = programLogo(QSize(200, 80)).toImage();
    // The picture is 100 by 80 units, so a box 200 wide leaves both sides empty.
    for (int y = 0; y < logo.height(); ++y) {
        EXPECT_EQ(qAlpha(logo.pixel(10, y)), 0);
        EXPECT_EQ(qAlpha(logo.pixel(190, y)), 0);
    }
}

TEST(ProgramIcon, OffersTheUsualIconSizes)
{
    const QIcon icon = programIcon();
    EXPECT_FALSE(icon.isNull());
    for (const int side : {16, 32, 48})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
}

TEST(RegisterButtonPicture, EveryButtonButPrintPageHasItsOwnPicture)
{
    const std::pair<const char*, const char*> buttons[] = {
        {"BB3", "Add"},      {"BB4", "Insert"}, {"BB5", "Delete"}, {"BB6", "Edit"},
        {"BB7", "Toggle X"}, {"BB8", "Year"},   {"BB10", "Close"}};
    QList<QImage> seen;
    for (const auto& [name, caption] : buttons) {
        const QImage byName = registerButtonPicture(QLatin1String(name)).pixmap(24, 24).toImage();
        const QImage byCaption =
            registerButtonPicture(QLatin1String(caption)).pixmap(24, 24).toImage();
        EXPECT_FALSE(byName.isNull()) << name;
        EXPECT_GT(paintedPixels(byName), 24 * 24 / 5) << name;
        EXPECT_EQ(byName, byCaption) << name;
        EXPECT_FALSE(seen.contains(byName)) << name << " looks like another button's picture";
        seen << byName;
    }
}

TEST(RegisterButtonPicture, PrintPageAndUnknownNamesHaveNone)
{
    for (const char* name : {"BB9", "Print Page", "BB11", ""})
        EXPECT_TRUE(registerButtonPicture(QLatin1String(name)).isNull()) << name;
}

} // namespace
