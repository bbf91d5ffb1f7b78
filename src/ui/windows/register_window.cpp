#include "ui/windows/register_window.h"

#include "core/layout/layout_math.h"
#include "core/layout/register_layout.h"
#include "core/platform/text_grid_model.h"
#include "ui/kit/fit_rules.h"
#include "ui/kit/grid_view.h"
#include "ui/kit/screen_centre.h"
#include "ui/kit/ui.h"
#include "ui/kit/undo_controls.h"
#include "ui/windows/balance_chart.h"
#include "ui/windows/entry_dialog.h"
#include "ui/windows/export_dialog.h"
#include "ui/windows/import_preview.h"
#include "ui/windows/print_window.h"
#include "ui/windows/reconcile_dialog.h"
#include "ui/windows/year_chooser.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

void TForm1::refresh()
{
    m_refreshing = true;
    showUndoState(*static_cast<QFrame*>(named("ProPanel1")), m_ui);
    const RegisterFields& reg = m_ui.p.reg;
    m_year->setText(reg.EYr);
    const QString* values[] = {&reg.Edit1, &reg.E1, &reg.E2, &reg.E3, &reg.E4,
                               &reg.E5,    &reg.E6, &reg.E7, &reg.E8};
    for (int i = 0; i < 9; ++i) {
        m_fields[i]->setText(*values[i]);
        // A text wider than its box shows its beginning, as the design's boxes do.
        m_fields[i]->setCursorPosition(0);
    }
    m_model->refresh();
    m_beginBalModel->refresh();
    // A hidden register has no fonts to fit, only the name to show; one that
    // opens is fitted below, once, in the size it shows at.
    if (reg.shown && isVisible())
        fitTexts();
    else
        showName();
    const int row = m_ui.p.ledger.currentRow();
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || TextGridModel::gridRow(current.row()) != row)
        m_grid->setCurrentIndex(m_model->index(TextGridModel::viewRow(row), 0));
    if (reg.overdrawn && !m_overdrawn->isVisible()) {
        m_overdrawn->setVisible(true);
        placeOverdrawnNotice();
    } else if (!reg.overdrawn) {
        m_overdrawn->setVisible(false);
    }
    if (reg.shown != isVisible()) {
        // A register opens in the middle of the screen with its first rows
        // in view, wherever the last card was left.
        if (reg.shown) {
            m_grid->scrollToTop();
            centreOnScreen(this);
        }
        const int fitsBefore = m_fits;
        setVisible(reg.shown);
        // Showing lays the window out (and fits it) the first time only.
        if (reg.shown && m_fits == fitsBefore)
            fitTexts();
    }
    m_refreshing = false;
}

void TForm1::openEntryDialog(EntryMode mode)
{
    TMakeOrEditEntry* dialog = m_ui.makeOrEditEntry();
    dialog->setMode(mode);
    dialog->exec();
}

void TForm1::bb3Click()
{
    bool open = false;
    handle(m_ui, [&] { open = m_ui.registerCommands.bb3Click(); });
    if (open)
        openEntryDialog(EntryMode::Add);
}

void TForm1::bb4Click()
{
    bool open = false;
    handle(m_ui, [&] { open = m_ui.registerCommands.bb4Click(); });
    if (open)
        openEntryDialog(EntryMode::Insert);
}

void TForm1::bb5Click()
{
    handle(m_ui, [this] { m_ui.registerCommands.bb5Click(); });
}

void TForm1::bb6Click()
{
    bool open = false;
    handle(m_ui, [&] { open = m_ui.registerCommands.bb6Click(); });
    if (open)
        openEntryDialog(EntryMode::Edit);
}

void TForm1::bb7Click()
{
    handle(m_ui, [this] { m_ui.registerCommands.bb7Click(); });
}

void TForm1::bb8Click()
{
    bool open = false;
    handle(m_ui, [&] { open = m_ui.registerCommands.bb8Click(); });
    if (open)
        m_ui.changeYrForm()->exec();
}

void TForm1::BB9Click()
{
    Tpursepri* print = m_ui.pursepri();
    print->show();
    print->raise();
    print->activateWindow();
}

void TForm1::LImportClick()
{
    m_ui.importPreview()->importStatement();
}

void TForm1::LReconcileClick()
{
    m_ui.reconcileForm()->exec();
}

void TForm1::LReportClick()
{
    m_ui.reportForm()->exec();
}

void TForm1::LExportClick()
{
    m_ui.exportForm()->exec();
}

void TForm1::LChartClick()
{
    m_ui.balanceChart()->open();
}

void TForm1::BB10Click()
{
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    handle(m_ui, [this] { m_ui.registerCommands.FormClose(); });
    event->accept();
}

void TForm1::layOutClient(QSize area)
{
    RegisterLayoutInput in;
    in.width = area.width();
    in.height = area.height();
    in.naturalSize = [this](const std::string& label, int pixels) {
        return naturalSize(label, pixels);
    };
    in.boxWidth = [this](const std::string& name, int pixels) {
        const auto* box = qobject_cast<const QLineEdit*>(named(name));
        return box ? detailBoxWidth(*box, pixels) : 0;
    };
    setFontPixels(roundEven(area.height() * 13.0 / 434));
    const RegisterLayout l = LayoutRegisterWindow(in);

    named("ProPanel1")->setGeometry(l.proPanel1);
    named("LHelp")->setGeometry(l.lHelp);
    named("LAbout")->setGeometry(l.lAbout);
    const char* statementWords[] = {"LImport", "LReconcile", "LReport", "LExport", "LChart"};
    for (std::size_t w = 0; w < l.statementWords.size(); ++w)
        named(statementWords[w])->setGeometry(l.statementWords[w]);
    placeUndoControls(*static_cast<QFrame*>(named("ProPanel1")));
    named("Panel2")->setGeometry(l.panel2);
    m_grid->setGeometry(l.stringGrid);
    m_grid->verticalHeader()->setFixedWidth(l.columnWidths[0]);
    for (int column = 1; column < 7; ++column)
        m_grid->setColumnWidth(column - 1, l.columnWidths[std::size_t(column)]);
    setRowHeight(*m_grid, l.rowHeight);
    named("Panel3")->setGeometry(l.panel3);
    const char* buttons[] = {"BB3", "BB4", "BB5", "BB6", "BB7", "BB8", "BB9", "BB10"};
    for (std::size_t b = 0; b < 8; ++b) {
        auto* button = static_cast<QToolButton*>(named(buttons[b]));
        button->setGeometry(l.buttons[b]);
        // The picture takes the height the caption leaves.
        const int picture =
            std::max(8, l.buttons[b].height() - button->fontMetrics().height() - 12);
        button->setIconSize(QSize(picture, picture));
    }
    for (const auto& [name, place] : l.details) {
        QWidget* widget = named(name);
        if (name == "L7" || name == "L8" || name == "EYr") {
            QFont nameFont = widget->font();
            nameFont.setPixelSize(l.nameFont);
            widget->setFont(nameFont);
        }
        widget->setGeometry(place);
    }
    m_detailsFont = l.detailsFont;
    fitTexts();

    // A hidden notice is left alone; a shown one is sized and kept centred.
    if (m_overdrawn->isVisible()) {
        QFont noticeFont = m_overdrawn->font();
        noticeFont.setPixelSize(l.overdrawnFont);
        m_overdrawn->setFont(noticeFont);
        m_overdrawn->setGeometry(l.overdrawn);
    }
}

// The ledger and the details in fonts in which their widest texts show
// whole; the card's name cut with "…" before it reaches "Year:".
void TForm1::fitTexts()
{
    ++m_fits;
    const int pixels = font().pixelSize();
    fitLedgerTexts(*m_grid, pixels);
    fitDetailTexts(m_fields, m_detailsFont);
    showName();
}

void TForm1::showName()
{
    const QWidget* year = m_name->parentWidget()->findChild<QWidget*>(QStringLiteral("L8"));
    showCardName(*m_name, m_ui.p.reg.L7, year->x() - m_name->fontMetrics().averageCharWidth());
}

// Centres the notice, at the size it has, on the ledger grid.
void TForm1::placeOverdrawnNotice()
{
    const QRect grid = m_grid->geometry();
    m_overdrawn->move(int(grid.left() + grid.width() * 0.5 - m_overdrawn->width() * 0.5),
                      int(grid.top() + grid.height() * 0.5 - m_overdrawn->height() * 0.5));
}
