#pragma once

#include "ui/kit/ui.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

// The windows of the program. The main window is made at once; every other
// window the first time it is asked for, and the register and its entry
// dialog also one at a time when the program is idle after the main window's
// first paint (showMain). A window's owner window is made before it. They are destroyed
// in the reverse order of making. All start hidden.
class ProgramWindows
{
public:
    enum class Window
    {
        Main,
        Form1,
        AddOrEditCard,
        MakeOrEditEntry,
        ChangeYrForm,
        AboutBox,
        Pursepri,
        Te,
        CsvColumns,
        ImportPreview,
        ReconcileForm,
        ExportForm,
        ReportForm,
        Reminders,
        Search,
        BalanceChart,
    };
    static constexpr int windowCount = int(Window::BalanceChart) + 1;

    explicit ProgramWindows(Pursewise& p);
    ~ProgramWindows();

    Ui& ui() { return m_ui; }
    // A window by its object name ("Main", "Form1", "AddOrEditCard", ...),
    // made now if it was not yet.
    QWidget* window(const QString& name);
    // The window, made now if it was not yet; null once the windows are
    // being taken down and it has gone.
    QWidget* window(Window which);
    // Whether the window has been made.
    bool made(Window which) const { return !m_made[std::size_t(which)].isNull(); }
    // Shows and activates the main window, as the event loop's start does.
    // After its first paint, one job on each turn of the event loop: the
    // Reminders window beside it when something is near (and "Show reminders
    // when the program starts" is ticked), then the register and its entry
    // dialog are made.
    void showMain();

private:
    // Does the next job after the first paint; false when none is left.
    bool doNextAfterFirstPaint();

    Ui m_ui;
    std::vector<std::unique_ptr<QWidget>> m_windows;
    std::array<QPointer<QWidget>, windowCount> m_made;
    bool m_closing = false;
    bool m_remindersLookedAt = false;
};
