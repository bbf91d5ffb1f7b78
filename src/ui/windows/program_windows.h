#pragma once

#include "ui/kit/ui.h"

#include <QWidget>

#include <memory>
#include <vector>

// The windows of the program, made once in their fixed order (the main window
// first, then the design's seven others, then the statement dialogs, the
// Reminders and search windows and the balance chart) and destroyed in the reverse
// order. All start hidden.
class ProgramWindows
{
public:
    explicit ProgramWindows(Pursewise& p);
    ~ProgramWindows();

    Ui& ui() { return m_ui; }
    // A window by its object name ("Main", "Form1", "AddOrEditCard", ...).
    QWidget* window(const QString& name) const;
    // Shows and activates the main window, as the event loop's start does.
    void showMain();

private:
    Ui m_ui;
    std::vector<std::unique_ptr<QWidget>> m_windows;
};
