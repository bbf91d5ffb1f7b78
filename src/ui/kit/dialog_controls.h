#pragma once

#include "core/program/dialog_form.h"

#include <QFont>
#include <QString>

#include <initializer_list>

class QLabel;
class QLineEdit;
class QWidget;
class ShortDateEdit;

// Small pieces the three dialogs share: their fonts, labels at design
// positions, boxes that stay white on a coloured dialog, and amount boxes
// that keep their modified state when the program rewrites them.

// A design font by family and pixel height. Where the Windows family is
// missing, a face of close width stands in, so that labels keep clear of the
// boxes beside them.
QFont dialogFont(const QString& family, int pixels);

// A label named `name` with its top left corner at (left, top), sized to its
// text in `font`, or in the dialog's font when there is none.
QLabel* dialogLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                    const QFont* font = nullptr);

// Keeps an edit box, date picker, list or check box white whatever colour
// the dialog is painted (the dialog's colour would otherwise reach its base).
void keepWhite(QWidget* box);

// Writes `text` into `box` without touching its modified state: a box the
// user edited stays edited after the program shows its prepared form.
void showPreparedText(QLineEdit* box, const QString& text);

// The look the register's statement dialogs share: their caption and size,
// the dialogs' 13-pixel font and the year chooser's colour.
void dressStatementDialog(QWidget* dialog, const QString& caption, int width, int height);

// OK's first check, before anything is prepared or saved: each date box must
// hold a date in the short format. The boxes take their typed dates; the
// first whose text names none is refused, with the focus going to it.
FormCheck checkTypedDates(std::initializer_list<ShortDateEdit*> boxes);
