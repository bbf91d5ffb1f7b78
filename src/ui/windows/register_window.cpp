#include "ui/windows/register_window.h"

#include "ui/windows/about_box.h"
#include "ui/kit/big_window.h"
#include "ui/kit/click_label.h"
#include "ui/kit/fit_rules.h"
#include "ui/kit/grid_view.h"
#include "ui/kit/keyboard.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/windows/print_window.h"
#include "ui/kit/screen_centre.h"
#include "core/layout/register_layout.h"
#include "ui/kit/title_strip.h"
#include "ui/kit/ui.h"
#include "ui/windows/entry_dialog.h"
#include "ui/windows/year_chooser.h"
#include "core/platform/help.h"
#include "core/platform/text_grid_model.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int clientWidth = 632;
constexpr int clientHeight = 453;
constexpr int bodyTop = 24;
constexpr int bevel = 4;

QLabel* label(QWidget* parent, const char* name, const char* text)
{
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->adjustSize();
    return l;
}

QLineEdit* box(QWidget* parent, const char* name, int width)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setReadOnly(true);
    b->setFrame(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->resize(width, 18);
    return b;
}

} // namespace

TForm1::TForm1(Ui& ui, QWidget* parent) : QWidget(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillfen Pursewise"));
    setFont(designFont(QStringLiteral("Bookman Old Style"), 13));
    new TitleStrip(this);
    m_aspect = new WindowAspect(this);
    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("ClientArea"));
    m_area->setGeometry(0, TitleStrip::height, clientWidth, clientHeight);

    buildMenuStrip();
    auto* body = new QFrame(m_area);
    body->setObjectName(QStringLiteral("Panel2"));
    body->setGeometry(0, bodyTop, clientWidth, clientHeight - bodyTop);
    body->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    body->setLineWidth(bevel);
    setBackground(body, designColour(12639424));
    buildDetails(body);
    buildGrids(body);
    buildButtonBar(body);
    // The buttons follow the ledger in the tab order, as they were made; on
    // the ledger, Insert, Delete and Enter are Add, Delete and Edit.
    onKeys(m_grid, {{Qt::Key_Insert, [this] { bb3Click(); }},
                    {Qt::Key_Delete, [this] { bb5Click(); }},
                    {Qt::Key_Return, [this] { bb6Click(); }},
                    {Qt::Key_Enter, [this] { bb6Click(); }}});
    markKeyboardFocus(this);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
    refresh();
    resize(640, 480);
}

void TForm1::buildMenuStrip()
{
    auto* strip = new QFrame(m_area);
    strip->setObjectName(QStringLiteral("ProPanel1"));
    strip->setGeometry(0, 0, clientWidth, 24);
    setBackground(strip, QApplication::palette().color(QPalette::Button));
    auto* help = new ClickLabel(QStringLiteral("Help"), strip);
    help->setObjectName(QStringLiteral("LHelp"));
    help->adjustSize();
    help->move(30, 2);
    auto* about = new ClickLabel(QStringLiteral("About"), strip);
    about->setObjectName(QStringLiteral("LAbout"));
    about->adjustSize();
    about->move(104, 2);
    connect(help, &ClickLabel::clicked, this, [] { showHelp(1); });
    connect(about, &ClickLabel::clicked, this, [this] {
        if (m_ui.aboutBox)
            m_ui.aboutBox->exec();
    });
}

void TForm1::buildDetails(QWidget* body)
{
    const QFont nameFont = designFont(QStringLiteral("Tahoma"), 21, true);
    m_name = label(body, "L7", "");
    m_name->setFont(nameFont);
    m_name->setStyleSheet(QStringLiteral("color: maroon"));
    m_name->setGeometry(17, 20, 320, 28);
    auto* yearLabel = label(body, "L8", "Year:");
    yearLabel->setFont(nameFont);
    yearLabel->setStyleSheet(QStringLiteral("color: maroon"));
    yearLabel->adjustSize();
    yearLabel->move(345, 20);
    m_year = box(body, "EYr", 43);
    m_year->setFont(nameFont);
    m_year->setGeometry(426, 20, 43, 25);

    // Each line is a chain: every item one pixel right of the one before.
    struct Item
    {
        const char* name;
        const char* text; // a label's caption; null for a box
        int boxWidth;
    };
    auto chain = [&](int left, int top, std::initializer_list<Item> items) {
        int x = left;
        for (const Item& item : items) {
            QWidget* widget = item.text ? static_cast<QWidget*>(label(body, item.name, item.text))
                                        : box(body, item.name, item.boxWidth);
            widget->move(x, top);
            x += widget->width() + 1;
        }
    };
    chain(16, 64, {{"Label1", "Date Card Expires: ", 0}, {"Edit1", nullptr, 72}});
    chain(16, 87, {{"Label8", "Rate: ", 0}, {"E1", nullptr, 20}, {"Label18", "%", 0}});
    chain(16, 110,
          {{"Label9", "Introductory Rate: ", 0},
           {"E2", nullptr, 22},
           {"Label19", "%.   ", 0},
           {"Label10", "Expires: ", 0},
           {"E3", nullptr, 72}});
    chain(16, 133, {{"Label11", "Day of Month Payments are Due: ", 0}, {"E4", nullptr, 28}});
    chain(345, 64, {{"Label14", "Credit Limit: $", 0}, {"E5", nullptr, 71}});
    chain(345, 87, {{"Label15", "Owe: $", 0}, {"E6", nullptr, 77}});
    chain(345, 110, {{"Label16", "Available Yet: $", 0}, {"E7", nullptr, 74}});
    chain(345, 133, {{"Label17", "Reconciled Balance Owed: $", 0}, {"E8", nullptr, 72}});

    const char* names[] = {"Edit1", "E1", "E2", "E3", "E4", "E5", "E6", "E7", "E8"};
    for (int i = 0; i < 9; ++i) {
        m_fields[i] = body->findChild<QLineEdit*>(QString::fromLatin1(names[i]));
        setBackground(m_fields[i], designColour(12639424));
    }
}

void TForm1::buildGrids(QWidget* body)
{
    const int innerBottom = body->height() - bevel;
    const int width = body->width() - 2 * bevel;
    m_model = new TextGridModel(m_ui.p.ledger, true, this);
    for (int money : {2, 3, 5})
        m_model->setAlignment(money, Qt::AlignRight);
    m_model->setAlignment(4, Qt::AlignHCenter);
    m_grid = makeGridView(body, "StringGrid1", m_model);
    m_grid->setGeometry(bevel, innerBottom - 193, width, 193);
    // Tab leaves the ledger for the buttons; the arrow keys move the cursor.
    m_grid->setTabKeyNavigation(false);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setRowHeight(*m_grid, 20);
    // Widths as fractions of the grid's width; the row numbers head the rows.
    const double fractions[] = {0.06, 0.15, 0.32, 0.12, 0.12, 0.02, 0.16};
    m_grid->verticalHeader()->setFixedWidth(int(width * fractions[0]));
    for (int column = 1; column < 7; ++column)
        m_grid->setColumnWidth(column - 1, int(width * fractions[column]));
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !m_refreshing)
                    handle(m_ui, [&] {
                        m_ui.p.ledger.setCurrentRow(TextGridModel::gridRow(current.row()));
                    });
            });

    // The opening balances: a table the program keeps, never shown.
    m_beginBalModel = new TextGridModel(m_ui.p.beginBalGrid, false, this);
    auto* beginBal = new QTableView(body);
    beginBal->setObjectName(QStringLiteral("BeginBalGrid"));
    beginBal->setModel(m_beginBalModel);
    beginBal->setFocusPolicy(Qt::NoFocus);
    beginBal->hide();

    m_overdrawn = new QLabel(QStringLiteral("Overdrawn"), body);
    m_overdrawn->setObjectName(QStringLiteral("Panel1"));
    m_overdrawn->setAlignment(Qt::AlignCenter);
    m_overdrawn->setFont(designFont(QStringLiteral("Arial"), 24, true, true));
    m_overdrawn->setStyleSheet(QStringLiteral("color: red; background: yellow"));
    m_overdrawn->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_overdrawn->resize(225, 41);
    m_overdrawn->move(int(m_grid->x() + m_grid->width() * 0.5 - 225 * 0.5),
                      int(m_grid->y() + m_grid->height() * 0.5 - 41 * 0.5));
    m_overdrawn->hide();
}

void TForm1::buildButtonBar(QWidget* body)
{
    const int width = body->width() - 2 * bevel;
    auto* bar = new QFrame(body);
    bar->setObjectName(QStringLiteral("Panel3"));
    bar->setGeometry(bevel, m_grid->y() - 62, width, 62);
    setBackground(bar, Qt::black);

    const std::tuple<const char*, const char*, const char*> buttons[] = {
        {"BB3", "&Add", "Add an entry."},
        {"BB4", "&Insert", "Insert entry at selected row."},
        {"BB5", "&Delete", "Delete the selected row."},
        {"BB6", "&Edit", "Edit the selected row."},
        {"BB7", "&Toggle X", "Toggle the X column on or off for cleared items."},
        {"BB8", "&Year", "View Another Year"},
        {"BB9", "&Print Page", ""},
        {"BB10", "&Close", "Close this form"}};
    const int buttonWidth = qRound((width - 15) * 0.125);
    int x = 5;
    for (const auto& [name, caption, hint] : buttons) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QString::fromLatin1(caption));
        button->setToolTip(QString::fromLatin1(hint));
        // Every button but Print Page shows its picture above its caption.
        const QIcon picture = registerButtonPicture(button->objectName());
        if (!picture.isNull()) {
            button->setIcon(picture);
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        }
        button->setGeometry(x, 7, buttonWidth, 50);
        x += buttonWidth + 1;
    }
    auto on = [&](const char* name, void (TForm1::*handler)()) {
        connect(bar->findChild<QToolButton*>(QString::fromLatin1(name)), &QToolButton::clicked,
                this, handler);
    };
    on("BB3", &TForm1::bb3Click);
    on("BB4", &TForm1::bb4Click);
    on("BB5", &TForm1::bb5Click);
    on("BB6", &TForm1::bb6Click);
    on("BB7", &TForm1::bb7Click);
    on("BB8", &TForm1::bb8Click);
    on("BB9", &TForm1::BB9Click);
    on("BB10", &TForm1::BB10Click);
}

void TForm1::refresh()
{
    m_refreshing = true;
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
    fitTexts();
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
        setVisible(reg.shown);
    }
    m_refreshing = false;
}

void TForm1::openEntryDialog(EntryMode mode)
{
    if (!m_ui.makeOrEditEntry)
        return;
    m_ui.makeOrEditEntry->setMode(mode);
    m_ui.makeOrEditEntry->exec();
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
    if (open && m_ui.changeYrForm)
        m_ui.changeYrForm->exec();
}

void TForm1::BB9Click()
{
    if (!m_ui.pursepri)
        return;
    m_ui.pursepri->show();
    m_ui.pursepri->raise();
    m_ui.pursepri->activateWindow();
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

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyMinimumSize(this);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    m_aspect->resized();
    const QSize area(width(), height() - TitleStrip::height);
    m_area->setGeometry(0, TitleStrip::height, area.width(), area.height());
    auto named = [this](const std::string& name) {
        return m_area->findChild<QWidget*>(QString::fromStdString(name));
    };

    RegisterLayoutInput in;
    in.width = area.width();
    in.height = area.height();
    in.naturalSize = [&](const std::string& label, int pixels) {
        QWidget* widget = named(label);
        QFont font = widget->font();
        font.setPixelSize(pixels);
        widget->setFont(font);
        return widget->sizeHint();
    };
    in.boxWidth = [&](const std::string& name, int pixels) {
        const auto* box = qobject_cast<const QLineEdit*>(named(name));
        return box ? detailBoxWidth(*box, pixels) : 0;
    };
    QFont windowFont = font();
    windowFont.setPixelSize(roundEven(area.height() * 13.0 / 434));
    setFont(windowFont);
    const RegisterLayout l = LayoutRegisterWindow(in);

    named("ProPanel1")->setGeometry(l.proPanel1);
    named("LHelp")->setGeometry(l.lHelp);
    named("LAbout")->setGeometry(l.lAbout);
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
    const int pixels = font().pixelSize();
    fitLedgerTexts(*m_grid, pixels);
    fitDetailTexts(m_fields, m_detailsFont);
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

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp(1);
        return;
    }
    QWidget::keyPressEvent(event);
}
