#pragma once

#include <QWidget>

// The painted title of the two big windows, across the top of the window
// under the platform's own frame: while the window is active, 50 bands from
// mid grey to the platform's active-title colour with the caption in white
// bold "Comic Sans MS"; while inactive, the plain inactive-title colours.
class TitleStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int height = 19;

    explicit TitleStrip(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
