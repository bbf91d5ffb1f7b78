// The register's controls as the window makes them, at their places in the
// design size, with their signals tied to the window's handlers.

#include "core/platform/help.h"
#include "core/platform/text_grid_model.h"
#include "ui/kit/click_label.h"
#include "ui/kit/grid_view.h"
#include "ui/kit/keyboard.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/ui.h"
#include "ui/kit/undo_controls.h"
#include "ui/windows/about_box.h"
#include "ui/windows/register_window.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

namespace {

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

TForm1::TForm1(Ui& ui, QWidget* parent)
    : BigWindow(QStringLiteral("Form1"), QStringLiteral("Quillfen Pursewise"), parent), m_ui(ui)
{
    setFont(designFont(QStringLiteral("Bookman Old Style"), 13));

    buildMenuStrip();
    auto* body = new QFrame(clientArea());
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
    QFrame* strip = makeMenuStrip();
    auto* help = new ClickLabel(QStringLiteral("Help"), strip);
    help->setObjectName(QStringLiteral("LHelp"));
    help->adjustSize();
    help->move(30, 2);
    auto* about = new ClickLabel(QStringLiteral("About"), strip);
    about->setObjectName(QStringLiteral("LAbout"));
    about->adjustSize();
    about->move(104, 2);
    connect(help, &ClickLabel::clicked, this, [] { showHelp(1); });
    // What comes in from a bank's statement and goes out to a report or
    // another program, after the design's two words; then the year's chart.
    const std::pair<const char*, void (TForm1::*)()> words[] = {
        {"Import", &TForm1::LImportClick},
        {"Reconcile", &TForm1::LReconcileClick},
        {"Report", &TForm1::LReportClick},
        {"Export", &TForm1::LExportClick},
        {"Chart", &TForm1::LChartClick}};
    int left = about->x() + about->width();
    for (const auto& [word, handler] : words) {
        auto* label = new ClickLabel(QString::fromLatin1(word), strip);
        label->setObjectName(QStringLiteral("L") + QString::fromLatin1(word));
        label->adjustSize();
        left += 30;
        label->move(left, 2);
        left += label->width();
        connect(label, &ClickLabel::clicked, this, handler);
    }
    connect(about, &ClickLabel::clicked, this, [this] { m_ui.aboutBox()->exec(); });
    addUndoControls(*this, *strip, m_ui);
}

void TForm1::buildDetails(QWidget* body)
{
    const QFont nameFont = designFont(QStringLiteral("Tahoma"), 21, true);
    m_name = label(body, "L7", "");
    m_name->setFont(nameFont);
    setTextColour(m_name, maroon);
    m_name->setGeometry(17, 20, 320, 28);
    auto* yearLabel = label(body, "L8", "Year:");
    yearLabel->setFont(nameFont);
    setTextColour(yearLabel, maroon);
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
    setTextColour(m_overdrawn, Qt::red);
    setBackground(m_overdrawn, Qt::yellow);
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
