#include "ui/windows/program_windows.h"

#include "ui/windows/about_box.h"
#include "ui/windows/balance_chart.h"
#include "ui/kit/fonts.h"
#include "ui/kit/pictures.h"
#include "ui/windows/print_window.h"
#include "ui/windows/verses_window.h"
#include "ui/windows/card_dialog.h"
#include "ui/windows/entry_dialog.h"
#include "ui/windows/year_chooser.h"
#include "ui/windows/csv_columns.h"
#include "ui/windows/export_dialog.h"
#include "ui/windows/import_preview.h"
#include "ui/windows/reconcile_dialog.h"
#include "ui/windows/reminders_window.h"
#include "ui/windows/main_window.h"
#include "ui/windows/register_window.h"
#include "ui/windows/search_window.h"

#include <QApplication>

void Ui::refresh()
{
    if (main)
        main->refresh();
    if (form1)
        form1->refresh();
    if (reminders && reminders->isVisible())
        reminders->refresh();
    if (balanceChart)
        balanceChart->refresh();
}

ProgramWindows::ProgramWindows(Pursewise& p) : m_ui(p)
{
    installFontSubstitutes();
    QApplication::setWindowIcon(programIcon());
    // The main window's creation loads the saved state, before any other
    // window exists; every later window may rely on the ones before it.
    p.start();
    auto add = [this](auto* window) {
        m_windows.emplace_back(window);
        return window;
    };
    m_ui.main = add(new TMain(m_ui));
    m_ui.form1 = add(new TForm1(m_ui));
    m_ui.addOrEditCard = add(new TAddOrEditCard(m_ui, m_ui.main));
    m_ui.makeOrEditEntry = add(new TMakeOrEditEntry(m_ui, m_ui.form1));
    m_ui.changeYrForm = add(new TChangeYrForm(m_ui, m_ui.form1));
    m_ui.aboutBox = add(new TAboutBox(m_ui.main));
    m_ui.pursepri = add(new Tpursepri(m_ui));
    m_ui.te = add(new Tte(m_ui.main));
    m_ui.csvColumns = add(new TCsvColumns(m_ui, m_ui.form1));
    m_ui.importPreview = add(new TImportPreview(m_ui, *m_ui.csvColumns, m_ui.form1));
    m_ui.reconcileForm = add(new TReconcileForm(m_ui, m_ui.form1));
    m_ui.exportForm = add(new TExportForm(m_ui, m_ui.form1));
    m_ui.reportForm = add(new TReportForm(m_ui, m_ui.form1));
    m_ui.reminders = add(new TReminders(m_ui, m_ui.main));
    m_ui.search = add(new TSearch(m_ui));
    m_ui.balanceChart = add(new TBalanceChart(m_ui, m_ui.form1));
}

ProgramWindows::~ProgramWindows()
{
    while (!m_windows.empty())
        m_windows.pop_back();
}

QWidget* ProgramWindows::window(const QString& name) const
{
    for (const auto& window : m_windows)
        if (window->objectName() == name)
            return window.get();
    return nullptr;
}

void ProgramWindows::showMain()
{
    m_ui.main->show();
    m_ui.main->raise();
    m_ui.main->activateWindow();
    // What is near shows beside the main window, which keeps the keyboard:
    // where showing a window activates it anyway, the main window takes the
    // activation back.
    if (m_ui.reminders && m_ui.reminders->showAtStart())
        m_ui.main->activateWindow();
}
