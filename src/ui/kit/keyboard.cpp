#include "ui/kit/keyboard.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <map>

namespace {

class KeyHandlers : public QObject
{
public:
    KeyHandlers(QWidget* widget, std::map<int, std::function<void()>> handlers)
        : QObject(widget), m_handlers(std::move(handlers))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto handler = m_handlers.find(key->key());
        // The keypad's Enter arrives with the keypad modifier.
        if (handler == m_handlers.end() || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        handler->second();
        return true;
    }

private:
    std::map<int, std::function<void()>> m_handlers;
};

constexpr int markWidth = 3; // pixels outside the button

// The frame itself: a ring just outside the focused button, under it in the
// stacking order, so that it never covers the button or takes its clicks.
class FocusMark : public QWidget
{
public:
    explicit FocusMark(QWidget* window) : QWidget(window)
    {
        setObjectName(QStringLiteral("focusMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
        // The window's own buttons, not those of the dialogs it owns.
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->window() == window)
                button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* button = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
                follow(button);
            break;
        case QEvent::FocusOut:
        case QEvent::Hide:
            if (m_button == button) {
                m_button = nullptr;
                hide();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_button == button)
                follow(button);
            break;
        default:
            break;
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(QColor(255, 255, 0), markWidth - 1));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    void follow(QWidget* button)
    {
        m_button = button;
        setParent(button->parentWidget());
        setGeometry(button->geometry().adjusted(-markWidth, -markWidth, markWidth, markWidth));
        stackUnder(button);
        show();
    }

    QWidget* m_button = nullptr;
};

} // namespace

void onKeys(QWidget* widget, std::initializer_list<std::pair<int, std::function<void()>>> keys)
{
    new KeyHandlers(widget, std::map<int, std::function<void()>>(keys.begin(), keys.end()));
}

void markKeyboardFocus(QWidget* window)
{
    new FocusMark(window);
}
