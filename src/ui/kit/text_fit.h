#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStringList>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QTableView;

// Making every text the program writes show whole in its box: the room a box,
// a grid cell or a header leaves for text, and the largest font size at which
// the widest text a field can hold fits that room. The windows keep their
// places and sizes; only the font of a field gets smaller when its widest text
// needs it. A name or description has no widest value: it is cut with "…"
// and shows whole as a tooltip.

// No text is made smaller than this many pixels a character: a text of more
// than 19 figures still fits the narrowest money column at the design size.
constexpr int smallestText = 5;

// The width an edit box leaves for its text: its inner width less the two
// pixels the edit keeps free on either side.
int textRoom(const QLineEdit& box);

// The width a grid cell leaves for its text: the column less its grid line
// and the text margins on both sides, or on neither for centred text (the
// text may then reach into both margins, as the cell still shows it).
int cellTextRoom(const QTableView& grid, int column);

// The width a header leaves for its label: the section less the header's
// margins. Column -1 is the row header.
int headerTextRoom(const QTableView& grid, int column);

// The widths of many short texts in one font, each as
// QFontMetrics::horizontalAdvance gives it. Where the font's digits all have
// one advance and no two of an amount's characters ("0" to "9", ".", "-")
// kern, a text of those characters is exactly as wide as its shape with every
// digit made "0" ("1234.56" as "0000.00"), so a column of a thousand amounts
// takes a handful of measures. Any other text, or any text in another font,
// is measured as it is.
class TextWidths
{
public:
    explicit TextWidths(const QFont& font);

    int of(const QString& text);
    // Whether amounts are measured by their shapes in this font.
    bool measuresByShape() const { return m_byShape; }

private:
    QFontMetrics m_metrics;
    bool m_byShape;
    QHash<QString, int> m_shapes;
};

// A font's line height and the widths of texts in it, each as QFontMetrics
// gives it. Widths are remembered for the whole run, by font: every refresh
// of a window fits its fields to the same widest texts at the same sizes
// again, and measuring a text means laying it out.
class FontMeasure
{
public:
    explicit FontMeasure(const QFont& font);
    int height() const { return m_metrics.height(); }
    int width(const QString& text) const;

private:
    QFontMetrics m_metrics;
    QHash<QString, int>* m_widths = nullptr;
};

// The largest pixel size from `pixels` down to `smallest` at which `fits`
// holds for the font at that size; `smallest` when even that does not.
int largestFittingSize(QFont font, int pixels, int smallest,
                       const std::function<bool(const FontMeasure&)>& fits);

// What a grid column must show whole besides its header.
struct ColumnTexts
{
    QStringList widest;    // the widest texts the column is made for
    bool contents = false; // what it holds now counts too (money has no widest value)
    bool elided = false;   // a free text, cut with "…" where it is too long
};

// Gives the grid, its headers with it, the largest font up to `pixels` at
// which every column's header and texts fit their cells, and cuts the free
// texts of the elided columns. `rowHeader` is the widest row number.
void fitGridFont(QTableView& grid, int pixels, const std::vector<ColumnTexts>& columns,
                 const QString& rowHeader = {});

// Gives the box the largest font up to `pixels` at which each of `widest`
// and its own text fit it, but not below `smallest`.
void fitBoxFont(QLineEdit& box, int pixels, const QStringList& widest, int smallest);

// The width `texts` need in a box at `pixels`, margins included.
int boxWidthFor(const QLineEdit& box, int pixels, const QStringList& texts);

// Shows `text` in the label cut with "…" to `width`; the whole text is the
// label's tooltip when it is cut.
void showElided(QLabel& label, const QString& text, int width);

// The widest texts of the program's fields.
namespace Widest {

// A date in the short date format, for every month of a year of four
// different digits.
QStringList dates();

// A card's money as the fonts are chosen for it: a limit, balance or
// available credit below a hundred thousand, a credit with its "-". A larger
// amount makes its column's or box's font smaller still when it appears.
QString amount();

// A total over all cards, below a million; larger ones likewise.
QString total();

// A rate as the card dialog takes it ("24.99").
QString rate();

} // namespace Widest
