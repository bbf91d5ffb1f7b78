#include "ui/windows/program_windows.h"

#include "core/program/print_file.h"
#include "ui/kit/fonts.h"
#include "ui/kit/pictures.h"
#include "ui/windows/about_box.h"
#include "ui/windows/balance_chart.h"
#include "ui/windows/card_dialog.h"
#include "ui/windows/csv_columns.h"
#include "ui/windows/entry_dialog.h"
#include "ui/windows/export_dialog.h"
#include "ui/windows/import_preview.h"
#include "ui/windows/main_window.h"
#include "ui/windows/print_window.h"
#include "ui/windows/reconcile_dialog.h"
#include "ui/windows/register_window.h"
#include "ui/windows/reminders_window.h"
#include "ui/windows/search_window.h"
#include "ui/windows/verses_window.h"
#include "ui/windows/year_chooser.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

using Window = ProgramWindows::Window;

// Each window's object name and how it is made; a dialog asks for its owner
// window first, which makes that window if needed.
struct WindowMaker
{
    const char* name;
    QWidget* (*make)(Ui& ui);
};

const WindowMaker makers[ProgramWindows::windowCount] = {
    {"Main", [](Ui& ui) -> QWidget* { return new TMain(ui); }},
    {"Form1", [](Ui& ui) -> QWidget* { return new TForm1(ui); }},
    {"AddOrEditCard", [](Ui& ui) -> QWidget* { return new TAddOrEditCard(ui, ui.main()); }},
    {"MakeOrEditEntry", [](Ui& ui) -> QWidget* { return new TMakeOrEditEntry(ui, ui.form1()); }},
    {"ChangeYrForm", [](Ui& ui) -> QWidget* { return new TChangeYrForm(ui, ui.form1()); }},
    {"AboutBox", [](Ui& ui) -> QWidget* { return new TAboutBox(ui.main()); }},
    {"pursepri", [](Ui& ui) -> QWidget* { return new Tpursepri(ui); }},
    {"te", [](Ui& ui) -> QWidget* { return new Tte(ui.main()); }},
    {"CsvColumns", [](Ui& ui) -> QWidget* { return new TCsvColumns(ui, ui.form1()); }},
    {"ImportPreview",
     [](Ui& ui) -> QWidget* { return new TImportPreview(ui, *ui.csvColumns(), ui.form1()); }},
    {"Reconcile", [](Ui& ui) -> QWidget* { return new TReconcileForm(ui, ui.form1()); }},
    {"ExportForm", [](Ui& ui) -> QWidget* { return new TExportForm(ui, ui.form1()); }},
    {"ReportForm", [](Ui& ui) -> QWidget* { return new TReportForm(ui, ui.form1()); }},
    {"Reminders", [](Ui& ui) -> QWidget* { return new TReminders(ui, ui.main()); }},
    {"Search", [](Ui& ui) -> QWidget* { return new TSearch(ui); }},
    {"Chart", [](Ui& ui) -> QWidget* { return new TBalanceChart(ui, ui.form1()); }},
};

template <typename T>
T* windowOf(ProgramWindows* owner, Window which)
{
    return owner ? static_cast<T*>(owner->window(which)) : nullptr;
}

// Waits for the main window's first paint, then does one job on each turn of
// the event loop until `next` has none left, so that the user's first key or
// click waits for one job at most.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget* main, std::function<bool()> next)
        : QObject(main), m_next(std::move(next))
    {
        main->installEventFilter(this);
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (!m_next())
                deleteLater();
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_timer.isActive()) {
            watched->removeEventFilter(this);
            m_timer.start();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> m_next;
    QTimer m_timer;
};

} // namespace

TMain* Ui::main()
{
    return windowOf<TMain>(owner, Window::Main);
}
TForm1* Ui::form1()
{
    return windowOf<TForm1>(owner, Window::Form1);
}
TAddOrEditCard* Ui::addOrEditCard()
{
    return windowOf<TAddOrEditCard>(owner, Window::AddOrEditCard);
}
TMakeOrEditEntry* Ui::makeOrEditEntry()
{
    return windowOf<TMakeOrEditEntry>(owner, Window::MakeOrEditEntry);
}
TChangeYrForm* Ui::changeYrForm()
{
    return windowOf<TChangeYrForm>(owner, Window::ChangeYrForm);
}
TAboutBox* Ui::aboutBox()
{
    return windowOf<TAboutBox>(owner, Window::AboutBox);
}
Tpursepri* Ui::pursepri()
{
    return windowOf<Tpursepri>(owner, Window::Pursepri);
}
Tte* Ui::te()
{
    return windowOf<Tte>(owner, Window::Te);
}
TCsvColumns* Ui::csvColumns()
{
    return windowOf<TCsvColumns>(owner, Window::CsvColumns);
}
TImportPreview* Ui::importPreview()
{
    return windowOf<TImportPreview>(owner, Window::ImportPreview);
}
TReconcileForm* Ui::reconcileForm()
{
    return windowOf<TReconcileForm>(owner, Window::ReconcileForm);
}
TExportForm* Ui::exportForm()
{
    return windowOf<TExportForm>(owner, Window::ExportForm);
}
TReportForm* Ui::reportForm()
{
    return windowOf<TReportForm>(owner, Window::ReportForm);
}
TReminders* Ui::reminders()
{
    return windowOf<TReminders>(owner, Window::Reminders);
}
TSearch* Ui::search()
{
    return windowOf<TSearch>(owner, Window::Search);
}
TBalanceChart* Ui::balanceChart()
{
    return windowOf<TBalanceChart>(owner, Window::BalanceChart);
}

void Ui::refresh()
{
    if (!owner)
        return;
    // Only what is made shows the state; the register is made when the state
    // asks for it to open.
    if (owner->made(Window::Main))
        main()->refresh();
    if (owner->made(Window::Form1) || p.reg.shown)
        if (TForm1* register_ = form1())
            register_->refresh();
    if (owner->made(Window::Reminders) && reminders()->isVisible())
        reminders()->refresh();
    if (owner->made(Window::BalanceChart))
        balanceChart()->refresh();
}

ProgramWindows::ProgramWindows(Pursewise& p) : m_ui(p)
{
    installFontSubstitutes();
    QApplication::setWindowIcon(programIcon());
    m_ui.owner = this;
    // The main window's creation loads the saved state, before any other
    // window exists; every later window may rely on the ones before it.
    p.start();
    window(Window::Main);
    m_ui.printHintAtStart = fileHint(p.cardList.selectedKey(), p.main.SelectedYr);
}

ProgramWindows::~ProgramWindows()
{
    m_closing = true;
    while (!m_windows.empty())
        m_windows.pop_back();
}

QWidget* ProgramWindows::window(Window which)
{
    QPointer<QWidget>& slot = m_made[std::size_t(which)];
    if (!slot && !m_closing) {
        QWidget* made = makers[std::size_t(which)].make(m_ui);
        m_windows.emplace_back(made);
        slot = made;
    }
    return slot;
}

QWidget* ProgramWindows::window(const QString& name)
{
    for (int which = 0; which < windowCount; ++which)
        if (name == QLatin1String(makers[which].name))
            return window(Window(which));
    return nullptr;
}

bool ProgramWindows::doNextAfterFirstPaint()
{
    if (m_closing)
        return false;
    // What is near shows beside the main window, which keeps the keyboard:
    // where showing a window activates it anyway, the main window takes the
    // activation back.
    if (!m_remindersLookedAt) {
        m_remindersLookedAt = true;
        if (TReminders::showsAtStart() && !TReminders::listFor(m_ui.p).empty() &&
            m_ui.reminders()->showAtStart())
            m_ui.main()->activateWindow();
        return true;
    }
    // The register and its entry dialog: what the user is most likely to ask
    // for first, and the largest windows to make.
    for (const Window which : {Window::Form1, Window::MakeOrEditEntry})
        if (!made(which)) {
            window(which);
            return true;
        }
    return false;
}

void ProgramWindows::showMain()
{
    TMain* main = m_ui.main();
    new AfterFirstPaint(main, [this] { return doNextAfterFirstPaint(); });
    main->show();
    main->raise();
    main->activateWindow();
}
