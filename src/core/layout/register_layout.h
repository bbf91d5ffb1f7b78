#pragma once

#include <QRect>
#include <QSize>

#include <array>
#include <functional>
#include <map>
#include <string>

// Where everything of the register window goes for a client area of W by H,
// as fractions of the design's 632 by 453 (the font and the grid height over
// 434, the grid's columns over its own 616). Pure geometry; the window
// applies it. Rectangles below the menu strip are in the body's coordinates.
struct RegisterLayoutInput
{
    int width = 632;
    int height = 453;
    // The natural size of a label's text at a character height in pixels.
    std::function<QSize(const std::string& label, int pixels)> naturalSize;
    // The width a detail box needs for the widest text it may hold at a
    // character height; 0, or no function, where the design's width serves.
    std::function<int(const std::string& box, int pixels)> boxWidth;
};

struct RegisterLayout
{
    int windowFont = 0;
    int nameFont = 0; // L7, L8 and EYr
    // The detail lines' labels and boxes: the window font, or smaller where a
    // line would not hold its boxes' widest texts before the next column.
    int detailsFont = 0;
    int overdrawnFont = 0;
    QRect proPanel1, lHelp, lAbout;
    // The statement words after About (LImport, LReconcile, LReport,
    // LExport) and the chart's word LChart, each as far after the one before
    // as Help is from the strip's left edge.
    std::array<QRect, 5> statementWords;
    QRect panel2;                      // the body, in the window
    QRect stringGrid;                  // in the body
    std::array<int, 7> columnWidths{}; // column 0 is the row numbers
    int rowHeight = 0;
    QRect panel3;                         // the button bar, in the body
    std::array<QRect, 8> buttons;         // BB3 to BB10, in the bar
    QRect overdrawn;                      // Panel1, centred on the grid
    std::map<std::string, QRect> details; // L7, L8, EYr, the labels and boxes
};

RegisterLayout LayoutRegisterWindow(const RegisterLayoutInput& in);
