#include "ui/windows/reminders_window.h"

#include "core/platform/clock.h"
#include "core/platform/messages.h"
#include "core/program/pursewise.h"
#include "ui/kit/ui.h"
#include "ui/windows/main_window.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString organisation = QStringLiteral("Quillfen");
const QString showAtStartKey = QStringLiteral("reminders/show-at-start");
const QString nothingNear = QStringLiteral("Nothing is due in the next few days.");

} // namespace

TReminders::TReminders(Ui& ui, QWidget* parent) : QWidget(parent, Qt::Window), m_ui(ui)
{
    setObjectName(QStringLiteral("Reminders"));
    setWindowTitle(QStringLiteral("Reminders"));

    m_lines = new QTableWidget(0, 1, this);
    m_lines->setObjectName(QStringLiteral("Lines"));
    m_lines->setHorizontalHeaderLabels({QStringLiteral("Reminder")});
    m_lines->horizontalHeader()->hide();
    m_lines->horizontalHeader()->setStretchLastSection(true);
    m_lines->verticalHeader()->hide();
    // Lines as close as a list's, a little air around each text.
    m_lines->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lines->setShowGrid(false);
    m_lines->setWordWrap(false);
    m_lines->setTabKeyNavigation(false);
    // Enter on the selected line and a double click both activate it.
    connect(m_lines, &QTableWidget::activated, this,
            [this](const QModelIndex& index) { openLine(index.row()); });

    m_showAtStart = new QCheckBox(QStringLiteral("Show reminders when the program starts"), this);
    m_showAtStart->setObjectName(QStringLiteral("ShowAtStart"));
    m_showAtStart->setChecked(showsAtStart());
    connect(m_showAtStart, &QCheckBox::toggled, this, &TReminders::setShowsAtStart);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->setObjectName(QStringLiteral("Bottom"));
    bottom->addWidget(m_showAtStart);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("Layout"));
    layout->addWidget(m_lines);
    layout->addLayout(bottom);
    resize(420, 240);
}

bool TReminders::showsAtStart()
{
    return QSettings(organisation, applicationTitle).value(showAtStartKey, true).toBool();
}

void TReminders::setShowsAtStart(bool show)
{
    QSettings(organisation, applicationTitle).setValue(showAtStartKey, show);
}

std::vector<Reminder> TReminders::listFor(const Pursewise& p)
{
    return remindersFor(p.sg1, p.cardList.cardCount(), cardInfoFromFile, Clock::today());
}

const std::vector<Reminder>& TReminders::refresh()
{
    m_reminders = listFor(m_ui.p);
    // The line the user was on stays current when it is still there.
    const int current = m_lines->currentRow();
    m_lines->clearContents();
    m_lines->setRowCount(int(std::max<std::size_t>(m_reminders.size(), 1)));
    if (m_reminders.empty()) {
        auto* item = new QTableWidgetItem(nothingNear);
        // The one line of an empty list opens nothing and cannot be chosen.
        item->setFlags(Qt::ItemIsEnabled);
        m_lines->setItem(0, 0, item);
    }
    for (std::size_t line = 0; line < m_reminders.size(); ++line)
        m_lines->setItem(int(line), 0, new QTableWidgetItem(m_reminders[line].text));
    if (current >= 0 && std::size_t(current) < m_reminders.size())
        m_lines->setCurrentCell(current, 0);
    m_showAtStart->setChecked(showsAtStart());
    return m_reminders;
}

void TReminders::showReminders()
{
    refresh();
    if (!isVisible())
        placeBesideMain();
    show();
    raise();
    activateWindow();
}

bool TReminders::showAtStart()
{
    if (!showsAtStart() || refresh().empty())
        return false;
    placeBesideMain();
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    return true;
}

// To the right of the main window where the screen has room, else to its left,
// else over its right edge.
void TReminders::placeBesideMain()
{
    const QWidget* mainWindow = m_ui.main();
    const QRect main = mainWindow->frameGeometry();
    const QScreen* screen =
        mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(main.topLeft(), main.size());
    const int width = frameGeometry().width();
    int left = main.right() + 1;
    if (left + width > room.right() + 1)
        left = main.left() - width >= room.left() ? main.left() - width
                                                  : std::max(room.left(), room.right() + 1 - width);
    move(left, main.top());
}

void TReminders::openLine(int line)
{
    if (line < 0 || std::size_t(line) >= m_reminders.size())
        return;
    const QString key = m_reminders[std::size_t(line)].cardKey;
    bool listed = false;
    // Selects the card in the main window's list, as a click on its row does,
    // then opens it with the main window's own "Open Selected Card".
    handle(m_ui, [&] {
        const int row = m_ui.p.cardList.RowOfKey(key);
        if (row == 0)
            return;
        m_ui.p.sg1.setCurrentRow(row);
        m_ui.p.cardList.SelectFromGrid();
        listed = true;
    });
    if (listed)
        m_ui.main()->B1Click();
}

void TReminders::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
