#include "ui/windows/main_window.h"

#include "core/layout/layout_math.h"
#include "core/layout/main_layout.h"
#include "core/platform/help.h"
#include "core/platform/messages.h"
#include "core/platform/text_grid_model.h"
#include "ui/kit/click_label.h"
#include "ui/kit/fit_rules.h"
#include "ui/kit/grid_view.h"
#include "ui/kit/keyboard.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/ui.h"
#include "ui/kit/undo_controls.h"
#include "ui/windows/about_box.h"
#include "ui/windows/card_dialog.h"
#include "ui/windows/register_window.h"
#include "ui/windows/reminders_window.h"
#include "ui/windows/search_window.h"
#include "ui/windows/verses_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTimer>

namespace {

const QString hint = QStringLiteral(
    "Hint: To begin using Pursewise you must enter information about one or more cards using "
    "the \"Add a Card\" button below. ");

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TMain::TMain(Ui& ui, QWidget* parent)
    : BigWindow(QStringLiteral("Main"), QStringLiteral("Quillfen Pursewise."), parent), m_ui(ui)
{
    setBackground(this, designColour(16744576));
    setFont(designFont(QStringLiteral("Bookman Old Style"), 15));
    setWindowIcon(programIcon());

    buildMenuStrip();
    buildBanner();
    buildGrid();
    buildButtons();
    buildTotals();
    markKeyboardFocus(this);

    qApp->installEventFilter(this);
    refresh();
    resize(656, 480);
}

TMain::~TMain()
{
    qApp->removeEventFilter(this);
}

void TMain::buildMenuStrip()
{
    // The words are sized and placed by layOutClient, in the font of the
    // window's size: measuring them here, in the design font, would only load
    // fonts that are never drawn.
    QFrame* strip = makeMenuStrip();
    const std::pair<const char*, const char*> words[] = {{"LMuHelp", " Help "},
                                                         {"LAbout", " About "},
                                                         {"Label3", " Special Verses "},
                                                         {"LSearch", " Search "},
                                                         {"LReminders", " Reminders "}};
    for (const auto& [name, caption] : words) {
        auto* word = new ClickLabel(QString::fromLatin1(caption), strip);
        word->setObjectName(QString::fromLatin1(name));
    }
    connect(strip->findChild<ClickLabel*>(QStringLiteral("LMuHelp")), &ClickLabel::clicked, this,
            [] { showHelp(1); });
    connect(strip->findChild<ClickLabel*>(QStringLiteral("LAbout")), &ClickLabel::clicked, this,
            [this] { m_ui.aboutBox()->exec(); });
    connect(strip->findChild<ClickLabel*>(QStringLiteral("Label3")), &ClickLabel::clicked, this,
            [this] { m_ui.te()->exec(); });
    connect(strip->findChild<ClickLabel*>(QStringLiteral("LReminders")), &ClickLabel::clicked, this,
            [this] { m_ui.reminders()->showReminders(); });
    connect(strip->findChild<ClickLabel*>(QStringLiteral("LSearch")), &ClickLabel::clicked, this,
            &TMain::LSearchClick);
    auto* findKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(findKey, &QShortcut::activated, this, &TMain::LSearchClick);
    addUndoControls(*this, *strip, m_ui);
}

void TMain::LSearchClick()
{
    m_ui.search()->open();
}

void TMain::buildBanner()
{
    auto* banner = new QFrame(clientArea());
    banner->setObjectName(QStringLiteral("Panel1"));
    banner->setGeometry(0, 24, clientWidth, 75);
    banner->setFrameStyle(QFrame::Panel | QFrame::Raised);
    banner->setLineWidth(3);
    setBackground(banner, designColour(12518079));

    auto* image = label(banner, "Image1", QString());
    const int pictureHeight = 67;
    const QSize pictureSize(pictureHeight * 91 / 67, pictureHeight);
    // The logo is drawn when the layout gives the picture its size.
    image->setGeometry(int(clientWidth * 0.07), 75 / 2 - pictureHeight / 2, pictureSize.width(),
                       pictureSize.height());

    auto* title = label(banner, "Label1", QStringLiteral("Pursewise --"));
    title->setFont(designFont(QStringLiteral("Comic Sans MS"), 21, true));
    setTextColour(title, Qt::yellow);
    auto* subtitle = label(banner, "Label2", QStringLiteral("At Your Service!"));
    subtitle->setFont(designFont(QStringLiteral("Georgia"), 13, true));
    setTextColour(subtitle, Qt::white);
    // Both are sized and placed by layOutClient, like the words above.

    auto* caption = new QLabel(QStringLiteral("C A R D    L I S T"), clientArea());
    caption->setObjectName(QStringLiteral("Panel3"));
    caption->setGeometry(0, 99, clientWidth, 28);
    caption->setAlignment(Qt::AlignCenter);
    caption->setFont(designFont(QStringLiteral("Georgia"), 13, true));
    setTextColour(caption, maroon);
    setBackground(caption, designColour(16744576));
}

void TMain::buildGrid()
{
    m_model = new TextGridModel(m_ui.p.sg1, false, this);
    for (int money : {4, 5, 6})
        m_model->setAlignment(money, Qt::AlignRight);
    m_sg1 = makeGridView(clientArea(), "sg1", m_model);
    m_sg1->setGeometry(0, 127, clientWidth, 180);
    m_sg1->setTabKeyNavigation(false);
    m_sg1->setFocusPolicy(Qt::ClickFocus);
    m_sg1->verticalHeader()->hide();
    setRowHeight(*m_sg1, 20);
    const int widths[] = {145, 75, 60, 60, 96, 100, 78, 1};
    for (int column = 0; column < 8; ++column)
        m_sg1->setColumnWidth(column, widths[column]);

    connect(m_sg1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !m_refreshing)
                    sg1Click(TextGridModel::gridRow(current.row()));
            });
    connect(m_sg1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            sg1Click(TextGridModel::gridRow(index.row()));
    });
}

void TMain::buildButtons()
{
    const std::tuple<const char*, const char*, int, int> buttons[] = {
        {"B1", "&Open Selected Card", 6, 161},
        {"B2", "&Add a Card", 173, 109},
        {"B3", "&Delete Selected Card", 288, 173},
        {"B4", "&Edit Selected Card", 467, 155}};
    for (const auto& [name, caption, left, width] : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(caption), clientArea());
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, 314, width, 24);
        button->setAutoDefault(false);
    }
    connect(findChild<QPushButton*>(QStringLiteral("B1")), &QPushButton::clicked, this,
            &TMain::B1Click);
    connect(findChild<QPushButton*>(QStringLiteral("B2")), &QPushButton::clicked, this,
            &TMain::B2Click);
    connect(findChild<QPushButton*>(QStringLiteral("B3")), &QPushButton::clicked, this,
            &TMain::B3Click);
    connect(findChild<QPushButton*>(QStringLiteral("B4")), &QPushButton::clicked, this,
            &TMain::B4Click);
}

void TMain::buildTotals()
{
    auto* panel = new QFrame(clientArea());
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setGeometry(0, clientHeight - 98, clientWidth, 98);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(3);
    setBackground(panel, Qt::white);

    const char* captions[] = {"Total Credit Limit for All Accounts     $ ",
                              "Total Balance Owed on All Accounts  $ ",
                              "Total Available from All Accounts       $ "};
    const int boxHeight = 16;
    const int boxWidth = 79;
    // The captions and the boxes are placed by layOutClient, which takes the
    // boxes' sizes from here.
    for (int line = 0; line < 3; ++line) {
        label(panel,
              line == 0   ? "L1"
              : line == 1 ? "L2"
                          : "L3",
              QString::fromLatin1(captions[line]));
        auto* box = new QLineEdit(panel);
        box->setObjectName(QStringLiteral("E%1").arg(line + 1));
        box->setReadOnly(true);
        box->setFrame(false);
        box->setFocusPolicy(Qt::NoFocus);
        box->resize(boxWidth, boxHeight);
        m_totals[line] = box;
    }
    m_currentYr = new QLineEdit(panel);
    m_currentYr->setObjectName(QStringLiteral("CurrentYr"));
    m_selectedYr = new QLineEdit(panel);
    m_selectedYr->setObjectName(QStringLiteral("SelectedYr"));
    for (QLineEdit* hidden : {m_currentYr, m_selectedYr}) {
        hidden->setFocusPolicy(Qt::NoFocus);
        hidden->hide();
    }
}

void TMain::refresh()
{
    m_refreshing = true;
    showUndoState(*static_cast<QFrame*>(named("ProPanel1")), m_ui);
    m_model->refresh();
    const int row = m_ui.p.sg1.currentRow();
    const QModelIndex current = m_sg1->currentIndex();
    if (!current.isValid() || TextGridModel::gridRow(current.row()) != row)
        m_sg1->setCurrentIndex(m_model->index(TextGridModel::viewRow(row), 0));
    const MainFields& fields = m_ui.p.main;
    m_totals[0]->setText(fields.E1);
    m_totals[1]->setText(fields.E2);
    m_totals[2]->setText(fields.E3);
    m_currentYr->setText(fields.CurrentYr);
    m_selectedYr->setText(fields.SelectedYr);
    // Before the window first shows, its layout fits the texts in the fonts
    // of the size it shows at.
    if (isVisible())
        fitTexts();
    m_refreshing = false;
}

void TMain::sg1Click(int gridRow)
{
    handle(m_ui, [&] {
        m_ui.p.sg1.setCurrentRow(gridRow);
        m_ui.p.cardList.SelectFromGrid();
    });
}

void TMain::B1Click()
{
    handle(m_ui, [this] { m_ui.mainCommands.B1Click(); });
    if (m_ui.p.reg.shown) {
        m_ui.form1()->raise();
        m_ui.form1()->activateWindow();
    }
}

void TMain::B2Click()
{
    TAddOrEditCard& dialog = *m_ui.addOrEditCard();
    dialog.setMode(CardMode::Add);
    dialog.setWindowTitle(QStringLiteral("     Add a New Card"));
    setBackground(&dialog, designColour(11523071));
    dialog.exec();
}

void TMain::B4Click()
{
    bool open = false;
    handle(m_ui, [&] { open = m_ui.mainCommands.B4Click(); });
    if (!open)
        return;
    TAddOrEditCard& dialog = *m_ui.addOrEditCard();
    dialog.setMode(CardMode::Edit);
    dialog.setWindowTitle(QStringLiteral("Editing Card: ") + m_ui.p.reg.L7);
    setBackground(&dialog, designColour(8435967));
    dialog.exec();
}

void TMain::B3Click()
{
    handle(m_ui, [this] { m_ui.mainCommands.B3Click(); });
}

void TMain::FormActivate()
{
    m_sg1->setFocus();
    if (m_ui.mainCommands.wantsStartHint())
        showMessage(hint);
}

bool TMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && !qobject_cast<QMessageBox*>(window)) {
            const bool cameBack = m_lastActive != this;
            m_lastActive = window;
            if (window == this && cameBack)
                FormActivate();
        }
    }
    return BigWindow::eventFilter(watched, event);
}

void TMain::layOutClient(QSize area)
{
    MainLayoutInput in;
    in.width = area.width();
    in.height = area.height();
    in.naturalSize = [this](const char* label, int pixels) { return naturalSize(label, pixels); };
    in.e1 = m_totals[0]->size();
    in.e2 = m_totals[1]->size();
    // The window font first, so that the totals' texts are measured in it.
    setFontPixels(roundEven(area.height() * 15.0 / 453));
    const MainLayout l = LayoutMainWindow(in);

    named("ProPanel1")->setGeometry(l.proPanel1);
    int left = 0;
    for (const char* word : {"LMuHelp", "LAbout", "Label3", "LSearch", "LReminders"}) {
        QWidget* label = named(word);
        label->adjustSize();
        label->move(left, (l.proPanel1.height() - label->height()) / 2);
        left += label->width();
    }
    placeUndoControls(*static_cast<QFrame*>(named("ProPanel1")));
    named("Panel1")->setGeometry(l.panel1);
    auto* image = static_cast<QLabel*>(named("Image1"));
    image->setGeometry(l.image1);
    image->setPixmap(programLogo(l.image1.size()));
    named("Label1")->setGeometry(l.label1);
    named("Label2")->setGeometry(l.label2);
    QWidget* caption = named("Panel3");
    caption->setGeometry(l.panel3);
    QFont captionFont = caption->font();
    captionFont.setPixelSize(l.captionFont);
    caption->setFont(captionFont);
    m_sg1->setGeometry(l.sg1);
    setRowHeight(*m_sg1, l.rowHeight);
    for (int column = 0; column < 8; ++column)
        m_sg1->setColumnWidth(column, l.columnWidths[std::size_t(column)]);
    named("Panel2")->setGeometry(l.panel2);
    const char* labels[] = {"L1", "L2", "L3"};
    for (std::size_t line = 0; line < 3; ++line) {
        named(labels[line])->setGeometry(l.labels[line]);
        m_totals[line]->setGeometry(l.boxes[line]);
    }
    const char* buttons[] = {"B1", "B2", "B3", "B4"};
    for (std::size_t b = 0; b < 4; ++b)
        named(buttons[b])->setGeometry(l.buttons[b]);
    fitTexts();
}

void TMain::fitTexts()
{
    fitCardListTexts(*m_sg1, m_totals, font().pixelSize());
}

void TMain::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QApplication::quit();
}
