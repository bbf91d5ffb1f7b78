#include "ui/windows/entry_dialog.h"

#include "core/platform/clock.h"
#include "ui/kit/dialog_controls.h"
#include "ui/kit/look.h"
#include "ui/kit/short_date_edit.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Each caption is its title after 49 blanks, which push it toward the middle
// of the title bar.
QString caption(const char* title)
{
    return QString(49, u' ') + QString::fromLatin1(title);
}

constexpr unsigned addColour = 8355839;   // #FF7F7F
constexpr unsigned editColour = 10461183; // #FF9F9F

} // namespace

TMakeOrEditEntry::TMakeOrEditEntry(Ui& ui, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("MakeOrEditEntry"), 6, parent), m_form(ui.p)
{
    setFixedSize(552, 312);
    setFont(dialogFont(QStringLiteral("Bookman Old Style"), 15));
    setBackground(this, designColour(addColour));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(24, 11, 504, 246);

    dialogLabel(this, "L1", QStringLiteral("Date:"), 64, 24);
    m_DT1 = new ShortDateEdit(this);
    m_DT1->setObjectName(QStringLiteral("DT1"));
    m_DT1->setGeometry(168, 21, 105, 27);
    keepWhite(m_DT1);
    dialogLabel(this, "L2", QStringLiteral("Description:"), 64, 64);
    m_E1 = new QLineEdit(this);
    m_E1->setObjectName(QStringLiteral("E1"));
    m_E1->setGeometry(168, 61, 190, 27);
    keepWhite(m_E1);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(62, 104, 427, 89);
    m_R1 = new QRadioButton(QStringLiteral("Charge:"), group);
    m_R1->setObjectName(QStringLiteral("R1"));
    m_R1->setGeometry(24, 24, 88, 17);
    m_E2 = amountBox(group, "E2", 121, 19, 121);
    m_R2 = new QRadioButton(QStringLiteral("Payment:"), group);
    m_R2->setObjectName(QStringLiteral("R2"));
    m_R2->setGeometry(24, 56, 88, 17);
    m_E3 = amountBox(group, "E3", 120, 52, 121);
    for (QWidget* radio : {m_R1, m_R2})
        keepWhite(radio);

    dialogLabel(this, "L3",
                QStringLiteral("Click box if amount has appeared on monthly statement:"), 60, 208);
    m_C1 = new QCheckBox(this);
    m_C1->setObjectName(QStringLiteral("C1"));
    m_C1->setFont(dialogFont(QStringLiteral("Trebuchet MS"), 16));
    m_C1->setGeometry(491, 210, 12, 17);
    keepWhite(m_C1);

    addButtons("OKBtn", {162, 268, 75, 25}, "CancelBtn", {316, 268, 75, 25},
               [this] { OKBtnClick(); });

    // The amount boxes are no tab stops, but Tab from one of them goes on
    // to the cleared box, as it follows the kind in the order.
    setTabChain({m_DT1, m_E1, m_R1, m_R2, m_E2, m_E3, m_C1, m_okButton, m_cancelButton});

    connect(m_R1, &QRadioButton::clicked, this, &TMakeOrEditEntry::R1Click);
    connect(m_R2, &QRadioButton::clicked, this, &TMakeOrEditEntry::R2Click);
}

// An amount box, reached by choosing its kind, never by the tab key.
QLineEdit* TMakeOrEditEntry::amountBox(QWidget* parent, const char* name, int left, int top,
                                       int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, width, 27);
    edit->setFocusPolicy(Qt::ClickFocus);
    keepWhite(edit);
    return edit;
}

// FormActivate: every box afresh, filled from SelectedRow when editing.
void TMakeOrEditEntry::opened()
{
    for (QLineEdit* amount : {m_E2, m_E3}) {
        amount->setEnabled(false);
        amount->hide();
    }
    uncheckKinds();
    m_kind = EntryKind::None;

    m_DT1->setDate(Clock::today());
    m_E1->clear();
    m_E2->clear();
    m_E3->clear();
    m_C1->setChecked(false);

    setTabOrder(m_DT1, m_E1);
    m_DT1->setFocus();

    if (m_mode != EntryMode::Edit) {
        setWindowTitle(caption(m_mode == EntryMode::Add ? "Add an Entry" : "Insert an Entry"));
        setBackground(this, designColour(addColour));
        return;
    }
    m_originalKind = EntryKind::None;
    setWindowTitle(caption("Edit This Entry"));
    setBackground(this, designColour(editColour));
    const EntryFields row = m_form.fromSelectedRow();
    m_DT1->setDate(row.entry.date);
    m_E1->setText(row.entry.description);
    if (row.kind == EntryKind::Charge) {
        m_E2->setText(row.entry.charge);
        R1Click();
    } else if (row.kind == EntryKind::Payment) {
        m_E3->setText(row.entry.payment);
        R2Click();
    }
    m_kind = m_originalKind = row.kind;
    m_C1->setChecked(row.entry.cleared);
}

// Radio buttons of one group cannot be unchecked one by one.
void TMakeOrEditEntry::uncheckKinds()
{
    for (QRadioButton* radio : {m_R1, m_R2}) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

void TMakeOrEditEntry::R1Click()
{
    m_E3->clear();
    m_E2->setEnabled(true);
    m_E2->show();
    m_E3->setEnabled(false);
    m_E3->hide();
    m_E2->setFocus();
    m_kind = EntryKind::Charge;
    m_R1->setChecked(true);
}

void TMakeOrEditEntry::R2Click()
{
    m_E2->clear();
    m_E3->setEnabled(true);
    m_E3->show();
    m_E2->setEnabled(false);
    m_E2->hide();
    m_E3->setFocus();
    m_kind = EntryKind::Payment;
    m_R2->setChecked(true);
}

EntryFields TMakeOrEditEntry::fields() const
{
    EntryFields fields;
    fields.mode = m_mode;
    fields.kind = m_kind;
    fields.originalKind = m_originalKind;
    fields.entry.date = m_DT1->date();
    fields.entry.description = m_E1->text();
    fields.entry.charge = m_E2->text();
    fields.entry.payment = m_E3->text();
    fields.entry.cleared = m_C1->isChecked();
    return fields;
}

void TMakeOrEditEntry::OKBtnClick()
{
    if (refused(checkTypedDates({m_DT1})))
        return;
    EntryFields entry = fields();
    const FormCheck check = m_form.check(entry);
    showPreparedText(m_E2, entry.entry.charge);
    showPreparedText(m_E3, entry.entry.payment);
    if (refused(check))
        return;
    finish([&] { m_form.post(entry); });
}
