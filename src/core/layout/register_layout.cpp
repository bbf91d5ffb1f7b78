#include "core/layout/register_layout.h"

#include "core/layout/layout_math.h"

#include <algorithm>

namespace {

// The body's two bevels of 4 pixels each.
constexpr int bodyInset = 8;

} // namespace

RegisterLayout LayoutRegisterWindow(const RegisterLayoutInput& in)
{
    const double H = in.height;
    const double W = in.width;
    RegisterLayout out;
    out.windowFont = roundEven(H * 13 / 434);

    const int strip = roundEven(H * 24 / 453);
    out.proPanel1 = QRect(0, 0, in.width, strip);
    out.panel2 = QRect(0, strip, in.width, in.height - strip);
    const int innerWidth = out.panel2.width() - 2 * bodyInset;
    const int innerBottom = out.panel2.height() - bodyInset;

    // The ledger grid at the bottom of the body, the button bar right above.
    const int gridHeight = roundEven(H * 185 / 434);
    out.stringGrid = QRect(bodyInset, innerBottom - gridHeight, innerWidth, gridHeight);
    const int k[7] = {38, 90, 194, 75, 80, 15, 85};
    for (int c = 0; c < 7; ++c)
        out.columnWidths[std::size_t(c)] = roundEven(double(innerWidth) * k[c] / 616);
    out.rowHeight = roundEven(H * 20 / 453);

    const int buttonHeight = roundEven(H * 50 / 453);
    const int barHeight = roundEven(H * 62 / 453);
    out.panel3 = QRect(bodyInset, out.stringGrid.top() - barHeight, innerWidth, barHeight);
    const int buttonTop = roundEven(barHeight * 7.0 / 62);
    const int buttonWidth = roundEven((out.panel3.width() - 15) * 0.125);
    int x = 5;
    for (QRect& button : out.buttons) {
        button = QRect(x, buttonTop, buttonWidth, buttonHeight);
        x += buttonWidth + 1;
    }

    const double sw = out.proPanel1.width();
    const double sh = out.proPanel1.height();
    const int wordTop = roundEven(sh * 2 / 24);
    out.lHelp =
        QRect(QPoint(roundEven(sw * 30 / 632), wordTop), in.naturalSize("LHelp", out.windowFont));
    out.lAbout =
        QRect(QPoint(roundEven(sw * 104 / 632), wordTop), in.naturalSize("LAbout", out.windowFont));
    const char* statementWords[] = {"LImport", "LReconcile", "LReport", "LExport", "LChart"};
    int wordLeft = out.lAbout.right() + 1;
    for (std::size_t w = 0; w < out.statementWords.size(); ++w) {
        wordLeft += roundEven(sw * 30 / 632);
        out.statementWords[w] =
            QRect(QPoint(wordLeft, wordTop), in.naturalSize(statementWords[w], out.windowFont));
        wordLeft = out.statementWords[w].right() + 1;
    }

    // The card details: the name and year, then four lines of label and box
    // chains, each item one pixel right of the one before.
    out.nameFont = roundEven(H * 21 / 453);
    const int nameTop = roundEven(H * 20 / 453);
    out.details["L7"] =
        QRect(QPoint(roundEven(W * 17 / 632), nameTop), in.naturalSize("L7", out.nameFont));
    out.details["L8"] =
        QRect(QPoint(roundEven(W * 345 / 632), nameTop), in.naturalSize("L8", out.nameFont));
    out.details["EYr"] =
        QRect(roundEven(W * 426 / 632), nameTop, roundEven(W * 43 / 632), roundEven(H * 25 / 453));

    const int rows[4] = {roundEven(H * 64 / 453), roundEven(H * 87 / 453), roundEven(H * 110 / 453),
                         roundEven(H * 133 / 453)};
    const int boxHeight = roundEven(H * 18 / 453);
    const int leftColumn = roundEven(W * 16 / 632);
    const int rightColumn = roundEven(W * 345 / 632);
    // A left line ends a few pixels before the right column, a right line
    // inside the body's bevel.
    const int leftEnd = rightColumn - roundEven(W * 4 / 632);
    const int rightEnd = out.panel2.width() - bodyInset;
    struct Item
    {
        const char* name;
        int boxWidth; // over 632; 0 for a label
    };
    // Lays the detail lines out at a character height; false when a line
    // runs past its end.
    auto lay = [&](int pixels) {
        bool fits = true;
        auto chain = [&](int left, int top, int end, std::initializer_list<Item> items) {
            int next = left;
            for (const Item& item : items) {
                QSize size;
                if (item.boxWidth) {
                    const int needed = in.boxWidth ? in.boxWidth(item.name, pixels) : 0;
                    size = QSize(std::max(roundEven(W * item.boxWidth / 632), needed), boxHeight);
                } else {
                    size = in.naturalSize(item.name, pixels);
                }
                out.details[item.name] = QRect(QPoint(next, top), size);
                next += size.width() + 1;
            }
            fits = fits && next - 1 <= end;
        };
        chain(leftColumn, rows[0], leftEnd, {{"Label1", 0}, {"Edit1", 72}});
        chain(leftColumn, rows[1], leftEnd, {{"Label8", 0}, {"E1", 20}, {"Label18", 0}});
        chain(leftColumn, rows[2], leftEnd,
              {{"Label9", 0}, {"E2", 22}, {"Label19", 0}, {"Label10", 0}, {"E3", 72}});
        chain(leftColumn, rows[3], leftEnd, {{"Label11", 0}, {"E4", 28}});
        chain(rightColumn, rows[0], rightEnd, {{"Label14", 0}, {"E5", 71}});
        chain(rightColumn, rows[1], rightEnd, {{"Label15", 0}, {"E6", 77}});
        chain(rightColumn, rows[2], rightEnd, {{"Label16", 0}, {"E7", 74}});
        chain(rightColumn, rows[3], rightEnd, {{"Label17", 0}, {"E8", 72}});
        return fits;
    };
    out.detailsFont = out.windowFont;
    while (!lay(out.detailsFont) && out.detailsFont > 6)
        --out.detailsFont;

    // The "Overdrawn" notice, centred on the grid.
    out.overdrawnFont = roundEven(H * 24 / 453);
    const int panelHeight = roundEven(H * 41 / 453);
    const int panelWidth = roundEven(W * 225 / 632);
    const QRect& g = out.stringGrid;
    out.overdrawn =
        QRect(trunc0(g.left() + g.width() * 0.5 - panelWidth * 0.5),
              trunc0(g.top() + g.height() * 0.5 - panelHeight * 0.5), panelWidth, panelHeight);
    return out;
}
