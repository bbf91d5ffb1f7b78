#pragma once

#include <QObject>

#include <functional>
#include <initializer_list>
#include <utility>

class QWidget;

// Keyboard use shared by the two big windows: keys that run a window's
// handlers, and a focus mark that shows on their coloured backgrounds.

// Runs `handler` when its key is pressed, without modifiers, in `widget`;
// the key goes no further. The ledger's Insert, Delete and Enter run the
// register's Add, Delete and Edit this way.
void onKeys(QWidget* widget, std::initializer_list<std::pair<int, std::function<void()>>> keys);

// Draws a yellow frame around whichever button of `window` has the focus
// from the keyboard (Tab, a mnemonic, the program), so that it shows on the
// main window's blue and the register's black button bar. A click gives no
// mark, as on other desktops.
void markKeyboardFocus(QWidget* window);
