#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

#include <cstdio>

// What a person sees on the X server, for the desktop tests:
//   pursewise-xshot FILE.png        the whole screen as a picture
//   pursewise-xshot X Y [X Y ...]   the colour of each pixel, "#rrggbb" a line
// It reads the screen itself, not a window's own drawing, so a band the
// window left unpainted shows as it does to the user.
int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QImage screen = app.primaryScreen()->grabWindow(0).toImage();
    if (argc == 2)
        return screen.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    if (argc < 3 || argc % 2 == 0) {
        std::fputs("usage: pursewise-xshot FILE.png | X Y [X Y ...]\n", stderr);
        return 2;
    }
    QTextStream out(stdout);
    for (int i = 1; i + 1 < argc; i += 2) {
        const int x = QString::fromLocal8Bit(argv[i]).toInt();
        const int y = QString::fromLocal8Bit(argv[i + 1]).toInt();
        out << (screen.valid(x, y) ? QColor(screen.pixel(x, y)).name() : QStringLiteral("none"))
            << '\n';
    }
    return 0;
}
