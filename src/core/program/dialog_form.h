#pragma once

#include <QString>

// The verdict of a dialog's OK check: accepted, or refused with the exact
// message to show and the design name of the box that gets the focus ("E5").
// The dialog shows the message itself, after it has put the prepared amounts
// back into their boxes, so the user reads the message beside what was checked.
struct FormCheck
{
    QString message;
    QString focus;

    bool accepted() const { return message.isEmpty(); }

    static FormCheck refuse(const QString& message, const QString& focus = QString())
    {
        return FormCheck{message, focus};
    }
};
