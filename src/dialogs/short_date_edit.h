#pragma once

#include <QDateEdit>

// The dialogs' date picker: a date-only box with a drop-down calendar that
// shows and reads dates as the program's short-date text. A two-digit year
// lands in the short-date window around today (in 2026, 27 is 2027 and 80 is
// 1980), whatever century the box showed before.
class ShortDateEdit : public QDateEdit
{
    Q_OBJECT

public:
    explicit ShortDateEdit(QWidget* parent = nullptr);

protected:
    // Tab leaves the picker, as it leaves every other box, instead of
    // walking through month, day and year; the arrow keys still do that.
    bool event(QEvent* event) override;
    QString textFromDateTime(const QDateTime& dateTime) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
};
