#include "ui/kit/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QTextStream>

#include <cstdlib>

// pursewise-icons FOLDER NAME: draws the program's logo at the usual icon
// sizes into an icon theme's layout, FOLDER/16x16/apps/NAME.png up to
// FOLDER/256x256/apps/NAME.png. The build runs it, so the installed icons are
// always the logo the windows show.
int main(int argc, char* argv[])
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0')
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        err << "usage: pursewise-icons FOLDER NAME" << Qt::endl;
        return 1;
    }
    const QDir folder(arguments[1]);
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString apps = QStringLiteral("%1x%1/apps").arg(side);
        const QString path = folder.filePath(apps + u'/' + arguments[2] + QStringLiteral(".png"));
        if (!folder.mkpath(apps) || !programLogo(QSize(side, side)).save(path, "PNG")) {
            err << "could not write " << path << Qt::endl;
            return 1;
        }
    }
    return 0;
}
