#include "ui/windows/year_chooser.h"

#include "ui/kit/look.h"
#include "ui/kit/screen_centre.h"
#include "ui/kit/ui.h"
#include "ui/kit/dialog_controls.h"
#include "core/platform/messages.h"

#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
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

TChangeYrForm::TChangeYrForm(Ui& ui, QWidget* parent) : QDialog(parent), m_ui(ui), m_form(ui.p)
{
    setObjectName(QStringLiteral("ChangeYrForm"));
    setWindowTitle(QStringLiteral("                Select year to view."));
    setModal(true);
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

    m_OK = new QPushButton(QStringLiteral("OK"), this);
    m_OK->setObjectName(QStringLiteral("OK"));
    m_OK->setGeometry(64, 208, 75, 25);
    m_OK->setDefault(true);
    m_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_Cancel->setObjectName(QStringLiteral("Cancel"));
    m_Cancel->setGeometry(187, 208, 75, 25);

    connect(m_LB1, &QListWidget::itemSelectionChanged, this, &TChangeYrForm::LB1Click);
    connect(m_OK, &QPushButton::clicked, this, &TChangeYrForm::OKClick);
    connect(m_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TChangeYrForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOnScreen(this);
        showYears();
    }
    QDialog::showEvent(event);
}

// The list as the card's year list holds it now, with its selection.
void TChangeYrForm::showYears()
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
    const FormCheck check = m_form.check();
    if (!check.accepted()) {
        showMessage(check.message);
        return;
    }
    handle(m_ui, [this] { m_form.post(); });
    accept();
}
