#include "ui/windows/search_window.h"

#include "core/platform/messages.h"
#include "core/program/search_results_model.h"
#include "ui/kit/dialog_controls.h"
#include "ui/kit/grid_view.h"
#include "ui/kit/look.h"
#include "ui/kit/pictures.h"
#include "ui/kit/short_date_edit.h"
#include "ui/kit/ui.h"
#include "ui/windows/register_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {

template <typename Box>
Box* namedBox(QWidget* parent, const char* name)
{
    auto* box = new Box(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

TSearch::TSearch(Ui& ui, QWidget* parent) : QWidget(parent, Qt::Window), m_ui(ui)
{
    setObjectName(QStringLiteral("Search"));
    setWindowTitle(QStringLiteral("Search"));
    setWindowIcon(programIcon());
    setBackground(this, designColour(12365366));
    setFont(dialogFont(QStringLiteral("MS Sans Serif"), 13));

    // Esc closes the window, as in the Reminders window and the dialogs.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildBoxes());

    m_model = new SearchResultsModel(this);
    m_results = makeGridView(this, "Results", m_model);
    m_results->verticalHeader()->hide();
    setRowHeight(*m_results, 22);
    const int widths[] = {130, 45, 75, 230, 80, 80};
    for (int column = 0; column < SearchResultsModel::ColumnCount; ++column)
        m_results->setColumnWidth(column, widths[column]);
    // The description takes what the other columns leave.
    m_results->horizontalHeader()->setStretchLastSection(false);
    m_results->horizontalHeader()->setSectionResizeMode(SearchResultsModel::Description,
                                                        QHeaderView::Stretch);
    layout->addWidget(m_results, 1);

    m_count = namedBox<QLabel>(this, "LCount");
    m_note = namedBox<QLabel>(this, "LNote");
    m_note->setWordWrap(true);
    setTextColour(m_note, maroon);
    m_note->hide();
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_count, 1);
    bottom->addWidget(close);
    layout->addWidget(m_note);
    layout->addLayout(bottom);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // A double-click on a found entry, or Enter on the current one.
    connect(m_results, &QTableView::activated, this,
            [this](const QModelIndex& index) { ResultsActivate(index.row()); });
    resize(720, 420);
}

QGridLayout* TSearch::buildBoxes()
{
    auto* boxes = new QGridLayout;
    m_text = namedBox<QLineEdit>(this, "SText");
    m_amount = namedBox<QLineEdit>(this, "SAmount");
    m_from = namedBox<ShortDateEdit>(this, "SFrom");
    m_to = namedBox<ShortDateEdit>(this, "STo");
    for (ShortDateEdit* date : {m_from, m_to}) {
        // The boxes start empty: an empty date does not limit the search.
        date->clear();
        date->setMinimumWidth(110);
    }
    for (QWidget* box : std::initializer_list<QWidget*>{m_text, m_amount, m_from, m_to})
        keepWhite(box);
    boxes->addWidget(caption(this, "LText", QStringLiteral("&Description contains:"), m_text), 0,
                     0);
    boxes->addWidget(m_text, 0, 1, 1, 3);
    boxes->addWidget(caption(this, "LAmount", QStringLiteral("&Amount:"), m_amount), 1, 0);
    boxes->addWidget(m_amount, 1, 1);
    boxes->addWidget(caption(this, "LFrom", QStringLiteral("&From:"), m_from), 2, 0);
    boxes->addWidget(m_from, 2, 1);
    boxes->addWidget(caption(this, "LTo", QStringLiteral("&To:"), m_to), 2, 2);
    boxes->addWidget(m_to, 2, 3);
    auto* find = new QPushButton(QStringLiteral("F&ind"), this);
    find->setObjectName(QStringLiteral("BFind"));
    find->setAutoDefault(false);
    boxes->addWidget(find, 1, 3);
    boxes->setColumnStretch(1, 1);
    boxes->setColumnStretch(3, 1);
    connect(find, &QPushButton::clicked, this, &TSearch::BFindClick);
    // Enter in any box finds, as the button does.
    for (QLineEdit* box :
         {m_text, m_amount, static_cast<QLineEdit*>(m_from), static_cast<QLineEdit*>(m_to)})
        connect(box, &QLineEdit::returnPressed, this, &TSearch::BFindClick);
    return boxes;
}

void TSearch::open()
{
    show();
    raise();
    activateWindow();
    m_text->setFocus(Qt::OtherFocusReason);
}

void TSearch::BFindClick()
{
    const SearchCheck typed = searchQueryOf(
        m_ui.p.math, {m_text->text(), m_amount->text(), m_from->text(), m_to->text()});
    if (!typed.check.accepted()) {
        showMessage(typed.check.message);
        if (auto* box = findChild<QLineEdit*>(typed.check.focus))
            box->setFocus(Qt::OtherFocusReason);
        return;
    }
    // A typed date shows in the short format, as the dialogs' dates do.
    for (ShortDateEdit* date : {m_from, m_to})
        if (!date->text().trimmed().isEmpty())
            date->takeTypedText();
    handle(m_ui, [&] {
        SearchResult found = searchLedgers(m_ui.p.sg1, typed.query);
        m_count->setText(hitCountText(found.hits.size()));
        m_note->setText(found.note());
        m_note->setVisible(!found.unreadable.isEmpty());
        m_model->setHits(std::move(found.hits));
        if (m_model->rowCount() > 0)
            m_results->setCurrentIndex(m_model->index(0, 0));
    });
}

void TSearch::ResultsActivate(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const SearchHit hit = m_model->hits()[std::size_t(row)];
    handle(m_ui, [&] { openSearchHit(m_ui.p, hit); });
    if (m_ui.p.reg.shown) {
        m_ui.form1()->raise();
        m_ui.form1()->activateWindow();
    }
}
