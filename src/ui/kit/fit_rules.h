#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QTableView;

// Which texts each field of the two big windows must show whole, and which
// are the user's own free texts, cut with "…" instead (see text_fit.h).

// The card list and the three totals, for a window font of `pixels`: each
// column and box in the largest font up to it in which its widest text fits.
// The card name and the rates are cut where too long.
void fitCardListTexts(QTableView& sg1, QLineEdit* const (&totals)[3], int pixels);

// The register's ledger, for a window font of `pixels`.
void fitLedgerTexts(QTableView& ledger, int pixels);

// The width a detail box of the register (Edit1, E1 to E8) needs for its
// widest text at `pixels`; the layout widens a box that is narrower.
int detailBoxWidth(const QLineEdit& box, int pixels);

// Each detail box in the largest font up to `pixels` in which its widest
// text and its own text fit.
void fitDetailTexts(QLineEdit* const (&fields)[9], int pixels);

// The card's name in its label, cut with "…" where it would reach `right`.
void showCardName(QLabel& name, const QString& text, int right);
