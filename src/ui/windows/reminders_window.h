#pragma once

#include "core/program/reminders.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QTableWidget;
class Pursewise;
struct Ui;

// The Reminders window: what is near for the cards of the list (payment days,
// introductory rates that end, cards close to their limit), one line each.
// Modeless; activating a line opens its card as "Open Selected Card" does.
// Reads the state and the card files, never changes them.
class TReminders : public QWidget
{
    Q_OBJECT

public:
    explicit TReminders(Ui& ui, QWidget* parent = nullptr);

    // Lists today's reminders again; the lines listed.
    const std::vector<Reminder>& refresh();
    // Refreshes, shows and activates the window (the menu word).
    void showReminders();
    // At start-up: shows the window beside the main window without taking
    // the keyboard focus, when "Show reminders when the program starts" is
    // ticked and at least one line is listed. True when it showed.
    bool showAtStart();

    // Today's reminders for the cards of the list, read from their files.
    static std::vector<Reminder> listFor(const Pursewise& p);

    // The user's choice, kept in the program's settings (not the data folder).
    static bool showsAtStart();
    static void setShowsAtStart(bool show);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openLine(int line);
    void placeBesideMain();

    Ui& m_ui;
    QTableWidget* m_lines = nullptr;
    QCheckBox* m_showAtStart = nullptr;
    std::vector<Reminder> m_reminders;
};
