#include "ui/kit/big_window.h"

#include "core/platform/help.h"
#include "ui/kit/look.h"
#include "ui/kit/title_strip.h"
#include "ui/kit/window_aspect.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>

BigWindow::BigWindow(const QString& name, const QString& title, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setWindowTitle(title);
    new TitleStrip(this);
    m_aspect = new WindowAspect(this);
    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("ClientArea"));
    m_area->setGeometry(0, TitleStrip::height, clientWidth, clientHeight);
}

bool BigWindow::isAtRest() const
{
    return m_aspect->atRest();
}

QWidget* BigWindow::named(std::string_view name) const
{
    return m_area->findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
}

QSize BigWindow::naturalSize(std::string_view name, int pixels) const
{
    QWidget* widget = named(name);
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
    return widget->sizeHint();
}

QFrame* BigWindow::makeMenuStrip()
{
    auto* strip = new QFrame(m_area);
    strip->setObjectName(QStringLiteral("ProPanel1"));
    strip->setGeometry(0, 0, clientWidth, 24);
    setBackground(strip, QApplication::palette().color(QPalette::Button));
    return strip;
}

void BigWindow::setFontPixels(int pixels)
{
    QFont windowFont = font();
    windowFont.setPixelSize(pixels);
    setFont(windowFont);
}

void BigWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp(1);
        return;
    }
    QWidget::keyPressEvent(event);
}

void BigWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyMinimumSize(this);
}

void BigWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void BigWindow::FormResize()
{
    // When the lock asks for a 4:3 size, a shown window may take it inside
    // the request, and the resize that causes runs a whole pass of its own
    // for it. This pass's size is gone by then: laying out again would only
    // repeat that work.
    const int pass = ++m_passes;
    m_aspect->resized();
    if (pass != m_passes)
        return;
    const QSize area(width(), height() - TitleStrip::height);
    m_area->setGeometry(0, TitleStrip::height, area.width(), area.height());
    layOutClient(area);
}
