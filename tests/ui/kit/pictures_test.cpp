#include "support/qt_printing.h"
#include "ui/kit/pictures.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <gtest/gtest.h>
#include <utility>

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

// An icon holding every size of a picture drawn beforehand, as Qt's own
// icons hold them: what the program's icons must answer like.
QIcon withEverySizeDrawn(const QIcon& drawnWhenNeeded)
{
    QIcon icon;
    for (const QSize& size : drawnWhenNeeded.availableSizes())
        icon.addPixmap(drawnWhenNeeded.pixmap(size, 1.0));
    return icon;
}

// Each picture's icon, made anew for every request, against the same
// pictures in an icon with all of them drawn: the same sizes, the same
// pixmaps at every size, mode, state and pixel ratio, and the same painting.
TEST(DrawnIcons, AnswerEveryRequestAsAnIconWithEverySizeDrawn)
{
    const std::pair<const char*, std::function<QIcon()>> icons[] = {
        {"logo", programIcon},
        {"BB3", [] { return registerButtonPicture(QStringLiteral("BB3")); }},
        {"BB8", [] { return registerButtonPicture(QStringLiteral("BB8")); }}};
    const QSize sizes[] = {QSize(0, 0),   QSize(1, 1),   QSize(10, 10), QSize(16, 16),
                           QSize(17, 17), QSize(22, 22), QSize(24, 24), QSize(30, 30),
                           QSize(32, 16), QSize(48, 20), QSize(40, 40), QSize(64, 64),
                           QSize(65, 65), QSize(128, 96)};
    const QIcon::Mode modes[] = {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected};
    for (const auto& [name, make] : icons) {
        // The logo's sizes drawn on their own, so that the comparison does not
        // rest on the icon under test alone.
        QIcon everySize;
        if (QLatin1String(name) == QLatin1String("logo"))
            for (const int side : {16, 20, 24, 32, 48, 64})
                everySize.addPixmap(programLogo(QSize(side, side)));
        else
            everySize = withEverySizeDrawn(make());
        const QIcon kept = make();
        for (const QIcon::State state : {QIcon::Off, QIcon::On})
            for (const QIcon::Mode mode : modes) {
                EXPECT_EQ(make().availableSizes(mode, state), everySize.availableSizes(mode, state))
                    << name;
                for (const QSize size : sizes) {
                    const auto where = [&] {
                        return testing::Message()
                               << name << " " << size.width() << "x" << size.height() << " mode "
                               << int(mode) << " state " << int(state);
                    };
                    EXPECT_EQ(make().actualSize(size, mode, state),
                              everySize.actualSize(size, mode, state))
                        << where();
                    for (const qreal ratio : {1.0, 1.5, 2.0}) {
                        const QImage expected =
                            everySize.pixmap(size, ratio, mode, state).toImage();
                        EXPECT_EQ(make().pixmap(size, ratio, mode, state).toImage(), expected)
                            << where() << " ratio " << ratio;
                        EXPECT_EQ(kept.pixmap(size, ratio, mode, state).toImage(), expected)
                            << where() << " ratio " << ratio << ", asked before";
                    }
                    for (const qreal ratio : {1.0, 2.0}) {
                        const auto painted = [&](const QIcon& icon) {
                            QImage image(QSize(140, 100) * ratio,
                                         QImage::Format_ARGB32_Premultiplied);
                            image.setDevicePixelRatio(ratio);
                            image.fill(Qt::white);
                            QPainter painter(&image);
                            icon.paint(&painter, QRect(QPoint(3, 2), size), Qt::AlignCenter, mode,
                                       state);
                            return image;
                        };
                        EXPECT_EQ(painted(make()), painted(everySize))
                            << where() << " painted at ratio " << ratio;
                    }
                }
            }
    }
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
