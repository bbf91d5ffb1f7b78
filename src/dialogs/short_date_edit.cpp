#include "dialogs/short_date_edit.h"

#include "platform/short_date.h"

#include <QKeyEvent>

ShortDateEdit::ShortDateEdit(QWidget* parent) : QDateEdit(parent)
{
    // The sections the user types into follow the short-date format, so the
    // text and the sections always line up.
    setDisplayFormat(ShortDate::format());
    setCalendarPopup(true);
}

bool ShortDateEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool forward =
                key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            QWidget::focusNextPrevChild(forward);
            return true;
        }
    }
    return QDateEdit::event(event);
}

QString ShortDateEdit::textFromDateTime(const QDateTime& dateTime) const
{
    return ShortDate::toText(dateTime.date());
}

QDateTime ShortDateEdit::dateTimeFromText(const QString& text) const
{
    // Qt's own reading puts a two-digit year into the century of the date
    // shown before; the short-date window decides instead.
    if (const auto date = ShortDate::tryParse(text))
        return date->startOfDay();
    return QDateEdit::dateTimeFromText(text);
}
