// Prints every widget of the program's eight windows as the program makes
// them at start-up with 24 cards (offscreen): its depth, the Qt class it is
// made from, object name, geometry, font and text, one line each. The fair
// start-up baseline (fair_baseline.cpp) was written from this list; run it
// again when a window changes, and compare.

#include "core/program/pursewise.h"
#include "data_folder.h"
#include "ui/windows/program_windows.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include <cstdio>

namespace {

// The nearest class of Qt's own: a program class such as TitleStrip is a
// QWidget that paints itself.
QString qtClassOf(const QObject* object)
{
    const QMetaObject* meta = object->metaObject();
    while (meta && !QByteArray(meta->className()).startsWith('Q'))
        meta = meta->superClass();
    return meta ? QString::fromLatin1(meta->className()) : QStringLiteral("?");
}

QString textOf(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return text->toPlainText().left(60);
    if (widget->isWindow())
        return widget->windowTitle();
    return {};
}

void print(const QWidget* widget, int depth)
{
    const QRect g = widget->geometry();
    const QFont f = widget->font();
    QString extra;
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget); view && view->model())
        extra = QStringLiteral(" rows=%1 cols=%2")
                    .arg(view->model()->rowCount())
                    .arg(view->model()->columnCount());
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget); view && view->model()) {
        const QAbstractItemModel* model = view->model();
        for (int column = 0; column < model->columnCount(); ++column)
            extra += QStringLiteral(" [%1|%2]")
                         .arg(model->headerData(column, Qt::Horizontal).toString(),
                              model->rowCount() > 0 ? model->index(0, column).data().toString()
                                                    : QString());
    }
    std::printf("%d\t%s\t%s\t%s\t%d,%d,%d,%d\t%s|%g|%d|%d\t%s%s\t%s\n", depth,
                qPrintable(qtClassOf(widget)), widget->metaObject()->className(),
                qPrintable(widget->objectName()), g.x(), g.y(), g.width(), g.height(),
                qPrintable(f.family()), f.pointSizeF(), f.pixelSize(), f.bold() ? 1 : 0,
                qPrintable(textOf(widget).replace(QLatin1Char('\n'), QStringLiteral("\\n"))),
                qPrintable(extra), widget->isVisibleTo(widget->window()) ? "shown" : "hidden");
    // Windows of their own (dialogs owned by this window, a date field's
    // calendar popup) are not part of what this window shows.
    for (const QObject* child : widget->children())
        if (child->isWidgetType() && !static_cast<const QWidget*>(child)->isWindow())
            print(static_cast<const QWidget*>(child), depth + 1);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DataFolder folder;
    Pursewise p;
    ProgramWindows windows(p);
    windows.showMain();
    QApplication::processEvents();
    for (const char* name : {"Main", "Form1", "AddOrEditCard", "MakeOrEditEntry", "ChangeYrForm",
                             "AboutBox", "pursepri", "te"})
        if (const QWidget* window = windows.window(QString::fromLatin1(name)))
            print(window, 0);
    return 0;
}
