#pragma once

#include "core/platform/messages.h"
#include "core/program/main_commands.h"
#include "core/program/pursewise.h"
#include "core/program/register_commands.h"
#include "core/program/undo_commands.h"

#include <QPointer>

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

// What every window reaches: the program state, the button logic of the two
// big windows, and the other windows (each made once at start-up).
struct Ui
{
    explicit Ui(Pursewise& state)
        : p(state), mainCommands(state), registerCommands(state), undoCommands(state)
    {
    }

    Pursewise& p;
    MainCommands mainCommands;
    RegisterCommands registerCommands;
    UndoCommands undoCommands;

    // Shows the state again in every window, and opens or closes the register
    // as the state says. Every handler calls it after it changed anything.
    void refresh();

    QPointer<TMain> main;
    QPointer<TForm1> form1;
    QPointer<TAddOrEditCard> addOrEditCard;
    QPointer<TMakeOrEditEntry> makeOrEditEntry;
    QPointer<TChangeYrForm> changeYrForm;
    QPointer<TAboutBox> aboutBox;
    QPointer<Tpursepri> pursepri;
    QPointer<Tte> te;
    // The statement dialogs of the register, made after the eight windows.
    QPointer<TCsvColumns> csvColumns;
    QPointer<TImportPreview> importPreview;
    QPointer<TReconcileForm> reconcileForm;
    QPointer<TExportForm> exportForm;
    QPointer<TReportForm> reportForm;
    // The main window's Reminders and search windows, made after the rest.
    QPointer<TReminders> reminders;
    QPointer<TSearch> search;
    // The register's balance chart, made after its dialogs.
    QPointer<TBalanceChart> balanceChart;
};

// Runs a handler under the message guard, then refreshes every window, even
// when the handler stopped at an error: what it did before stays done and shows.
template <typename Handler>
void handle(Ui& ui, Handler&& handler)
{
    guarded(std::forward<Handler>(handler));
    ui.refresh();
}
