#include "core/layout/main_layout.h"

#include "core/layout/layout_math.h"

MainLayout LayoutMainWindow(const MainLayoutInput& in)
{
    const double H = in.height;
    const double W = in.width;
    MainLayout out;

    out.windowFont = roundEven(H * 15 / 453);
    out.captionFont = roundEven(H * 13 / 453);

    // The bands docked at the top, in order; the totals panel at the bottom.
    const int strip = roundEven(H * 24 / 453);
    const int banner = roundEven(H * 75 / 453);
    const int totals = roundEven(H * 98 / 453);
    const int caption = roundEven(H * 28 / 453);
    const int grid = roundEven(H * 180 / 453);
    out.proPanel1 = QRect(0, 0, in.width, strip);
    out.panel1 = QRect(0, strip, in.width, banner);
    out.panel3 = QRect(0, strip + banner, in.width, caption);
    out.sg1 = QRect(0, strip + banner + caption, in.width, grid);
    out.panel2 = QRect(0, in.height - totals, in.width, totals);
    out.rowHeight = roundEven(H * 20 / 453);
    const int k[8] = {145, 75, 60, 60, 96, 100, 78, 1};
    for (int c = 0; c < 8; ++c)
        out.columnWidths[std::size_t(c)] = roundEven(double(in.width) * k[c] / 632);

    // The banner: the logo keeps its 91:67 shape, the two labels are centred.
    const double pw = out.panel1.width();
    const double ph = out.panel1.height();
    const int pictureHeight = roundEven(ph * 67 / 75);
    const int pictureWidth = roundEven(pictureHeight * 91.0 / 67);
    out.image1 = QRect(trunc0(pw * 0.07), trunc0(ph * 0.5) - trunc0(pictureHeight * 0.5),
                       pictureWidth, pictureHeight);
    out.label1Font = roundEven(ph * 0.28);
    out.label2Font = roundEven(ph * 13 / 75);
    const QSize title = in.naturalSize("Label1", out.label1Font);
    const QSize subtitle = in.naturalSize("Label2", out.label2Font);
    const int gap = trunc0((ph - 2.0 * title.height()) / 3);
    out.label1 = QRect(QPoint(trunc0(pw * 0.5) - trunc0(title.width() * 0.5), gap), title);
    out.label2 =
        QRect(QPoint(trunc0(pw * 0.5) - trunc0(subtitle.width() * 0.5), gap + title.height() + gap),
              subtitle);

    // The totals: line positions from the boxes' sizes of the previous pass;
    // the boxes get their new size last.
    const int bevel = 3;
    const double p2w = out.panel2.width();
    const double p2h = out.panel2.height();
    const int lineGap = roundEven((p2h - 2 * bevel - 3.0 * in.e1.height()) * 0.25);
    const int top1 = bevel + lineGap;
    const int top2 = top1 + in.e1.height() + lineGap;
    const int top3 = top2 + in.e2.height() + lineGap;
    const char* names[3] = {"L1", "L2", "L3"};
    const QSize second = in.naturalSize("L2", out.windowFont);
    const int x = roundEven(p2w * 0.5) - roundEven((in.e2.width() + second.width()) * 0.5);
    const int tops[3] = {top1, top2, top3};
    const QSize box(roundEven(p2w * 0.125), roundEven(p2h * 18 / 109));
    for (std::size_t i = 0; i < 3; ++i) {
        const QSize text = in.naturalSize(names[i], out.windowFont);
        out.labels[i] = QRect(QPoint(x, tops[i]), text);
        out.boxes[i] = QRect(QPoint(x + text.width() + 1, tops[i]), box);
    }

    // The four buttons share the free width in five equal gaps.
    const int top = roundEven(H * 314 / 453);
    const int height = roundEven(H * 24 / 453);
    const int widths[4] = {roundEven(W * 161 / 632), roundEven(W * 109 / 632),
                           roundEven(W * 173 / 632), roundEven(W * 155 / 632)};
    const int buttonGap = trunc0((W - (widths[0] + widths[1] + widths[2] + widths[3])) * 0.2);
    int left = buttonGap;
    for (std::size_t b = 0; b < 4; ++b) {
        out.buttons[b] = QRect(left, top, widths[b], height);
        left += widths[b] + buttonGap;
    }
    return out;
}
