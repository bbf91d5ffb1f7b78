#include "ui/windows/year_chooser.h"

#include "ui/kit/dialog_controls.h"
#include "ui/kit/look.h"

#include <QListWidget>
#include <QStyledItemDelegate>

namespace {

// The design's window is 333 by 268 with its sizeable frame and title bar;
// this is what lies inside them.
constexpr int clientWidth = 333 - 2 * 4;
constexpr int clientHeight = 268 - 2 * 4 - 19;

// Every year takes a row 16 pixels high.
class YearRows : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
    }
};

} // namespace

TChangeYrForm::TChangeYrForm(Ui& ui, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("ChangeYrForm"), std::nullopt, parent), m_form(ui.p)
{
    setWindowTitle(QStringLiteral("                Select year to view."));
    resize(clientWidth, clientHeight);
    setFont(dialogFont(QStringLiteral("MS Sans Serif"), 11));
    setBackground(this, designColour(12365366));

    m_LB1 = new QListWidget(this);
    m_LB1->setObjectName(QStringLiteral("LB1"));
    m_LB1->setGeometry(100, 15, 121, 155);
    m_LB1->setFont(dialogFont(QStringLiteral("MS Sans Serif"), 13));
    m_LB1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_LB1->setSortingEnabled(false);
    m_LB1->setItemDelegate(new YearRows(m_LB1));
    keepWhite(m_LB1);

    addButtons("OK", {64, 208, 75, 25}, "Cancel", {187, 208, 75, 25}, [this] { OKClick(); });

    connect(m_LB1, &QListWidget::itemSelectionChanged, this, &TChangeYrForm::LB1Click);
}

// The list as the card's year list holds it now, with its selection.
void TChangeYrForm::opened()
{
    m_showing = true;
    const YearList& years = m_ui.p.years;
    m_LB1->clear();
    m_LB1->addItems(years.items);
    if (years.selected >= 0 && years.selected < m_LB1->count())
        m_LB1->setCurrentRow(years.selected);
    m_showing = false;
}

void TChangeYrForm::LB1Click()
{
    if (m_showing)
        return;
    const QList<QListWidgetItem*> chosen = m_LB1->selectedItems();
    m_ui.p.years.selected = chosen.isEmpty() ? -1 : m_LB1->row(chosen.first());
}

void TChangeYrForm::OKClick()
{
    if (refused(m_form.check()))
        return;
    finish([this] { m_form.post(); });
}
