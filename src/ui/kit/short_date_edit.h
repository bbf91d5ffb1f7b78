#pragma once

#include <QDate>
#include <QLineEdit>

#include <optional>

class QCalendarWidget;
class QFrame;
class QToolButton;

// The dialogs' date box: free text in the program's short-date format with a
// drop-down calendar. What the user types is read as a whole when the box is
// left, on Enter and on the dialog's OK, never digit by digit, so "3/15/26" is
// 15 March 2026 and "03/05/26" is 5 March 2026. A two-digit year lands in the
// short-date window around today (in 2026, 27 is 2027 and 80 is 1980). Text
// that names no date stays as typed; the dialog's OK refuses it.
class ShortDateEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit ShortDateEdit(QWidget* parent = nullptr);

    // The date the box holds: the one last set, picked or taken from the
    // typed text.
    QDate date() const;
    void setDate(const QDate& date);

    // The date the text names now, or nothing when it names none.
    std::optional<QDate> typedDate() const;

    // Takes the typed text as the box's date. True when it is a date: the box
    // then shows it in the short format ("03/05/26" becomes "3/5/26") and
    // dateChanged is emitted if the date changed. False when it is none: the
    // text stays as typed and the date as it was.
    bool takeTypedText();

    // Opens the calendar on the date shown; a day clicked there (or chosen
    // with Enter) becomes the box's date. Alt+Down and F4 open it too.
    void showCalendar();
    // The calendar, once it has been dropped down; null before.
    QCalendarWidget* calendar() const { return m_calendar; }

signals:
    void dateChanged(const QDate& date);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void makeCalendar();
    void pick(const QDate& date);

    QDate m_date;
    QToolButton* m_dropDown = nullptr;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};
