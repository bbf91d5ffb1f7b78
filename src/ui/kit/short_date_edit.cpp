#include "ui/kit/short_date_edit.h"

#include "core/platform/short_date.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int arrowWidth = 13; // the drop-down arrow, narrow to leave the date its room

} // namespace

ShortDateEdit::ShortDateEdit(QWidget* parent) : QLineEdit(parent)
{
    m_dropDown = new QToolButton(this);
    m_dropDown->setObjectName(QStringLiteral("calendarButton"));
    m_dropDown->setArrowType(Qt::DownArrow);
    m_dropDown->setAutoRaise(true);
    m_dropDown->setFocusPolicy(Qt::NoFocus);
    m_dropDown->setCursor(Qt::ArrowCursor);
    setTextMargins(0, 0, arrowWidth, 0);
    connect(m_dropDown, &QToolButton::clicked, this, &ShortDateEdit::showCalendar);

    // Leaving the box, or Enter in it, reads what was typed.
    connect(this, &QLineEdit::editingFinished, this, &ShortDateEdit::takeTypedText);
    setDate(QDate(2000, 1, 1));
}

QDate ShortDateEdit::date() const
{
    return m_date;
}

void ShortDateEdit::setDate(const QDate& date)
{
    if (!date.isValid())
        return;
    setText(ShortDate::toText(date));
    if (date == m_date)
        return;
    m_date = date;
    emit dateChanged(m_date);
}

std::optional<QDate> ShortDateEdit::typedDate() const
{
    return ShortDate::tryParse(text());
}

bool ShortDateEdit::takeTypedText()
{
    const std::optional<QDate> typed = typedDate();
    if (!typed)
        return false;
    setDate(*typed);
    return true;
}

// Made when first dropped down: a calendar is a large widget, and most
// dialogs are used without it.
void ShortDateEdit::makeCalendar()
{
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &ShortDateEdit::pick);
    connect(m_calendar, &QCalendarWidget::activated, this, &ShortDateEdit::pick);
}

void ShortDateEdit::showCalendar()
{
    if (!m_calendar)
        makeCalendar();
    m_calendar->setSelectedDate(typedDate().value_or(m_date));
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(rect().bottomLeft()));
    m_popup->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void ShortDateEdit::pick(const QDate& date)
{
    if (m_popup)
        m_popup->hide();
    setDate(date);
    setFocus(Qt::PopupFocusReason);
}

// The whole text is selected as the box gets the focus from the keyboard or
// the program, so typing replaces the date; a click places the cursor.
void ShortDateEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason)
        selectAll();
}

void ShortDateEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    m_dropDown->setGeometry(width() - arrowWidth - 1, 1, arrowWidth, height() - 2);
}

void ShortDateEdit::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
