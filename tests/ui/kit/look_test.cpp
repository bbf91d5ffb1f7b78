#include "ui/kit/fonts.h"
#include "ui/kit/look.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

// A label as the windows make one, drawn into an image.
QImage drawn(QLabel& label)
{
    label.setGeometry(0, 0, 225, 41);
    label.setAlignment(Qt::AlignCenter);
    label.ensurePolished();
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(Qt::gray);
    label.render(&image);
    return image;
}

struct Coloured
{
    const char* text;
    const char* family;
    int pixels;
    bool bold;
    const char* styleSheet;
    QColor colour;
    QColor background; // invalid: none of its own
};

} // namespace

// The labels once coloured by style sheets draw the same pixels through
// their palettes.
TEST(TextColour, DrawsTheLabelAsItsStyleSheetDid)
{
    installFontSubstitutes();
    const Coloured cases[] = {
        {"Pursewise --", "Comic Sans MS", 21, true, "color: yellow", Qt::yellow, {}},
        {"At Your Service!", "Georgia", 13, true, "color: white", Qt::white, {}},
        {"C A R D    L I S T", "Georgia", 13, true, "color: maroon", maroon, {}},
        {"Visa Gold", "Tahoma", 21, true, "color: maroon", maroon, {}},
        {"Overdrawn", "Arial", 24, true, "color: red; background: yellow", Qt::red, Qt::yellow},
    };
    for (const Coloured& c : cases) {
        QLabel bySheet(QString::fromLatin1(c.text));
        bySheet.setFont(designFont(QString::fromLatin1(c.family), c.pixels, c.bold));
        bySheet.setStyleSheet(QString::fromLatin1(c.styleSheet));
        QLabel byPalette(QString::fromLatin1(c.text));
        byPalette.setFont(designFont(QString::fromLatin1(c.family), c.pixels, c.bold));
        setTextColour(&byPalette, c.colour);
        if (c.background.isValid())
            setBackground(&byPalette, c.background);
        const QImage expected = drawn(bySheet);
        const QImage actual = drawn(byPalette);
        EXPECT_TRUE(actual == expected) << c.text;
        // Not a blank: the text is there in its colour.
        bool coloured = false;
        for (int y = 0; y < actual.height() && !coloured; ++y)
            for (int x = 0; x < actual.width() && !coloured; ++x)
                coloured = actual.pixelColor(x, y) == c.colour;
        EXPECT_TRUE(coloured) << c.text;
    }
}
