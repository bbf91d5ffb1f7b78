#include "ui/kit/undo_controls.h"

#include "ui/kit/click_label.h"
#include "ui/kit/ui.h"

#include <QFrame>
#include <QKeySequence>
#include <QShortcut>

#include <algorithm>

namespace {

ClickLabel* arrow(QFrame& strip, const char* name)
{
    return strip.findChild<ClickLabel*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

} // namespace

void addUndoControls(QWidget& window, QFrame& strip, Ui& ui)
{
    // U+21B6 and U+21B7, the anticlockwise and clockwise arrows.
    auto* undo = new ClickLabel(QString(QChar(0x21B6)), &strip);
    undo->setObjectName(QStringLiteral("LUndo"));
    undo->setToolTip(QStringLiteral("Undo the last change (Ctrl+Z)"));
    auto* redo = new ClickLabel(QString(QChar(0x21B7)), &strip);
    redo->setObjectName(QStringLiteral("LRedo"));
    redo->setToolTip(QStringLiteral("Redo the change undone last (Ctrl+Shift+Z)"));

    const auto runUndo = [&ui] { handle(ui, [&ui] { ui.undoCommands.undo(); }); };
    const auto runRedo = [&ui] { handle(ui, [&ui] { ui.undoCommands.redo(); }); };
    QObject::connect(undo, &ClickLabel::clicked, &window, runUndo);
    QObject::connect(redo, &ClickLabel::clicked, &window, runRedo);
    const auto onKeys = [&window](QKeySequence keys, auto run) {
        auto* shortcut = new QShortcut(keys, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, run);
    };
    onKeys(QKeySequence(Qt::CTRL | Qt::Key_Z), runUndo);
    onKeys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), runRedo);
    onKeys(QKeySequence(Qt::CTRL | Qt::Key_Y), runRedo);
    showUndoState(strip, ui);
}

void placeUndoControls(QFrame& strip)
{
    ClickLabel* undo = arrow(strip, "LUndo");
    ClickLabel* redo = arrow(strip, "LRedo");
    if (!undo || !redo)
        return;
    // The arrows of a text font are small beside its letters: they get most
    // of the strip's height.
    for (ClickLabel* arrow : {undo, redo}) {
        QFont font = arrow->font();
        font.setPixelSize(std::max(8, strip.height() * 4 / 5));
        font.setBold(true);
        arrow->setFont(font);
        arrow->adjustSize();
    }
    // As far from the right edge as the strip's first word is from the left.
    const int gap = strip.height() / 3;
    redo->move(strip.width() - gap - redo->width(), (strip.height() - redo->height()) / 2);
    undo->move(redo->x() - gap - undo->width(), (strip.height() - undo->height()) / 2);
}

void showUndoState(QFrame& strip, const Ui& ui)
{
    if (ClickLabel* undo = arrow(strip, "LUndo"))
        undo->setEnabled(ui.undoCommands.canUndo());
    if (ClickLabel* redo = arrow(strip, "LRedo"))
        redo->setEnabled(ui.undoCommands.canRedo());
}
