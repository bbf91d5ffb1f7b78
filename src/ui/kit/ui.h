#pragma once

#include "core/platform/messages.h"
#include "core/program/main_commands.h"
#include "core/program/pursewise.h"
#include "core/program/register_commands.h"
#include "core/program/undo_commands.h"

class TMain;
class TForm1;
class TAddOrEditCard;
class TMakeOrEditEntry;
class TChangeYrForm;
class TAboutBox;
class Tpursepri;
class Tte;
class TCsvColumns;
class TImportPreview;
class TReconcileForm;
class TExportForm;
class TReportForm;
class TReminders;
class TSearch;
class TBalanceChart;

class ProgramWindows;

// What every window reaches: the program state, the button logic of the two
// big windows, and the other windows.
struct Ui
{
    explicit Ui(Pursewise& state)
        : p(state), mainCommands(state), registerCommands(state), undoCommands(state)
    {}

    Pursewise& p;
    MainCommands mainCommands;
    RegisterCommands registerCommands;
    UndoCommands undoCommands;

    // Shows the state again in every window made so far, and opens or closes
    // the register as the state says. Every handler calls it after it changed
    // anything.
    void refresh();

    // The windows. Each is made by its owner (ProgramWindows) the first time
    // it is asked for, and then kept; so start-up makes only the main window
    // (the register and its entry dialog follow when the program is idle). While
    // the owner takes the windows down, nothing new is made and a window
    // already gone is null.
    TMain* main();
    TForm1* form1();
    TAddOrEditCard* addOrEditCard();
    TMakeOrEditEntry* makeOrEditEntry();
    TChangeYrForm* changeYrForm();
    TAboutBox* aboutBox();
    Tpursepri* pursepri();
    Tte* te();
    TCsvColumns* csvColumns();
    TImportPreview* importPreview();
    TReconcileForm* reconcileForm();
    TExportForm* exportForm();
    TReportForm* reportForm();
    TReminders* reminders();
    TSearch* search();
    TBalanceChart* balanceChart();

    ProgramWindows* owner = nullptr;
    // The print window's file hint as the program started ("26.dat" in
    // 2026); the window shows it whenever it is made.
    QString printHintAtStart;
};

// Runs a handler under the message guard, then refreshes every window, even
// when the handler stopped at an error: what it did before stays done and shows.
template <typename Handler>
void handle(Ui& ui, Handler&& handler)
{
    guarded(std::forward<Handler>(handler));
    ui.refresh();
}
