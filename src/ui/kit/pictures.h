#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own pictures, drawn in code so that they are sharp at any
// size: the logo (a purse with two credit cards) and the pictures above the
// captions of the register's button bar.

// The logo drawn centred in a transparent picture of this size, keeping its
// shape: the main window's banner, the About box and the window icons use it.
QPixmap programLogo(QSize size);

// The logo at the usual icon sizes, for window icons and the task bar.
QIcon programIcon();

// The picture of a register button, by its object name ("BB3") or caption
// ("Add"): Add, Insert, Delete, Edit, Toggle X, Year and Close have one;
// "Print Page" (BB9) and unknown names get a null icon.
QIcon registerButtonPicture(const QString& buttonName);
