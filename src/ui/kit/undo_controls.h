#pragma once

class QFrame;
class QWidget;
struct Ui;

// Undo and Redo in a big window: two small arrows at the right end of its menu
// strip ("LUndo", "LRedo") and the keys Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y
// anywhere in the window. Each runs under the guard and refreshes every
// window after it. The window places them (placeUndoControls) when it lays
// out its client area.
void addUndoControls(QWidget& window, QFrame& strip, Ui& ui);
// Puts the arrows at the strip's right end, after the strip's font changed.
void placeUndoControls(QFrame& strip);
// Greys each arrow while there is nothing to undo or redo.
void showUndoState(QFrame& strip, const Ui& ui);
