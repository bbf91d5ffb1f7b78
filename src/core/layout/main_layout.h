#pragma once

#include <QRect>
#include <QSize>

#include <array>
#include <functional>

// Where everything of the main window goes for a client area of W by H: each
// measure a fixed fraction of the design's 632 by 453, so that the window
// scales like a picture. Pure geometry; the window applies it.
struct MainLayoutInput
{
    int width = 632;  // W, the client width
    int height = 453; // H, the client height
    // The natural size of a label's text at a character height in pixels:
    // "Label1", "Label2" (banner) and "L2" (second totals line).
    std::function<QSize(const char* label, int pixels)> naturalSize;
    // The totals boxes as the previous pass left them.
    QSize e1;
    QSize e2;
};

struct MainLayout
{
    int windowFont = 0; // character height in pixels
    int captionFont = 0;
    QRect proPanel1, panel1, panel3, sg1, panel2;
    int rowHeight = 0;
    std::array<int, 8> columnWidths{};
    QRect image1;
    int label1Font = 0;
    int label2Font = 0;
    QRect label1, label2;
    std::array<QRect, 3> labels;  // L1 to L3, in the totals panel
    std::array<QRect, 3> boxes;   // E1 to E3, in the totals panel
    std::array<QRect, 4> buttons; // B1 to B4
};

MainLayout LayoutMainWindow(const MainLayoutInput& in);
