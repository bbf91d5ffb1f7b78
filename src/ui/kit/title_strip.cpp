#include "ui/kit/title_strip.h"

#include "ui/kit/look.h"

#include <QEvent>
#include <QPainter>

TitleStrip::TitleStrip(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("TitleStrip"));
    setFixedHeight(height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    window->installEventFilter(this);
}

bool TitleStrip::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::WindowTitleChange:
        update();
        break;
    case QEvent::Resize:
        setGeometry(0, 0, static_cast<QWidget*>(watched)->width(), height);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TitleStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const bool active = window()->isActiveWindow();
    QColor text;
    if (active) {
        const QColor from(128, 128, 128);
        const QColor to = colours.color(QPalette::Active, QPalette::Highlight);
        constexpr int bands = 50;
        for (int band = 0; band < bands; ++band) {
            const int left = width() * band / bands;
            const int right = width() * (band + 1) / bands;
            const auto mix = [&](int a, int b) { return a + (b - a) * band / (bands - 1); };
            painter.fillRect(QRect(left, 0, right - left, height),
                             QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                                    mix(from.blue(), to.blue())));
        }
        text = Qt::white;
    } else {
        painter.fillRect(rect(), colours.color(QPalette::Inactive, QPalette::Window).darker(115));
        text = colours.color(QPalette::Inactive, QPalette::WindowText);
    }
    painter.setPen(text);
    painter.setFont(designFont(QStringLiteral("Comic Sans MS"), 13, active));
    painter.drawText(rect().adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     window()->windowTitle());
}
