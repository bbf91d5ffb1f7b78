#include "ui/windows/card_dialog.h"

#include "core/platform/clock.h"
#include "ui/kit/dialog_controls.h"
#include "ui/kit/short_date_edit.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TAddOrEditCard::TAddOrEditCard(Ui& ui, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("AddOrEditCard"), 5, parent), m_form(ui.p)
{
    setFixedSize(464, 359);
    setFont(dialogFont(QStringLiteral("MS Sans Serif"), 11));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(29, 11, 400, 289);

    const QFont labelFont = dialogFont(QStringLiteral("Trebuchet MS"), 16);
    const QFont expiryFont = dialogFont(QStringLiteral("MS Sans Serif"), 13);
    const std::tuple<const char*, const char*, int, int> labels[] = {
        {"Label1", "Name for Card :", 40, 24},
        {"Label2", "Rate:", 40, 86},
        {"Label8", "%", 117, 86},
        {"Label4", "Introductory Rate:", 40, 112},
        {"Label9", "%", 193, 113},
        {"Label3", "Date Introductory Rate Expires:", 40, 139},
        {"Label5", "Day of Month Payments are Due:", 40, 166},
        {"Label6", "Credit Limit:   $", 40, 192},
        {"Label7", "If Card Already has a Balance Due,", 40, 219},
        {"Label10", "Balance Shown on Latest Statement:  $", 41, 245}};
    for (const auto& [name, caption, left, top] : labels)
        dialogLabel(this, name, QString::fromLatin1(caption), left, top, &labelFont);
    dialogLabel(this, "Label11", QStringLiteral("Date Card Expires:"), 40, 64, &expiryFont);
    m_Label7 = findChild<QLabel*>(QStringLiteral("Label7"));
    m_Label10 = findChild<QLabel*>(QStringLiteral("Label10"));

    m_E1 = box("E1", 143, 25, 226);
    m_DT2 = picker("DT2", 157, 62, 81);
    m_E2 = box("E2", 80, 87, 31);
    m_E3 = box("E3", 155, 113, 30);
    m_DT1 = picker("DT1", 236, 139, 71);
    m_E4 = box("E4", 249, 166, 26);
    m_E5 = box("E5", 137, 193, 92);
    m_E6 = box("E6", 283, 244, 96);

    addButtons("OKBtn", {119, 316, 75, 25}, "CancelBtn", {255, 317, 75, 25},
               [this] { OKBtnClick(); });
    connect(m_DT1, &ShortDateEdit::dateChanged, this, &TAddOrEditCard::DT1Change);
    connect(m_DT2, &ShortDateEdit::dateChanged, this, &TAddOrEditCard::DT2Change);
    FormCreate();
}

QLineEdit* TAddOrEditCard::box(const char* name, int left, int top, int width)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, width, 21);
    keepWhite(edit);
    return edit;
}

ShortDateEdit* TAddOrEditCard::picker(const char* name, int left, int top, int width)
{
    auto* edit = new ShortDateEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, width, 21);
    keepWhite(edit);
    return edit;
}

// The pickers sit second and fifth in the tab order, between the boxes they
// stand beside on the form.
void TAddOrEditCard::FormCreate()
{
    setTabChain({m_E1, m_DT2, m_E2, m_E3, m_DT1, m_E4, m_E5, m_E6, m_okButton, m_cancelButton});
}

// FormActivate: every box afresh, filled from the register when editing.
void TAddOrEditCard::opened()
{
    for (QLineEdit* edit : {m_E1, m_E2, m_E3, m_E4, m_E5, m_E6})
        edit->clear();
    const bool editing = m_mode == CardMode::Edit;
    if (editing) {
        const CardValues card = m_form.fromRegister();
        const std::pair<QLineEdit*, const QString*> fills[] = {{m_E1, &card.name},
                                                               {m_E2, &card.rate},
                                                               {m_E3, &card.introRate},
                                                               {m_E4, &card.dueDay},
                                                               {m_E5, &card.creditLimit}};
        for (const auto& [edit, text] : fills) {
            edit->setText(*text);
            edit->setModified(false);
        }
        setDates(card.introExpiry, card.cardExpiry);
        IntroExpiryChanged = false;
        CardExpiryChanged = false;
    } else {
        setDates(Clock::today(), Clock::today());
    }
    m_Label7->setVisible(!editing);
    m_Label10->setVisible(!editing);
    m_E6->setVisible(!editing);
    m_E1->setFocus();
}

// The dialog setting its own pickers is not the user changing a date.
void TAddOrEditCard::setDates(const QDate& introExpiry, const QDate& cardExpiry)
{
    m_settingDates = true;
    m_DT1->setDate(introExpiry);
    m_DT2->setDate(cardExpiry);
    m_settingDates = false;
}

void TAddOrEditCard::DT1Change()
{
    if (!m_settingDates)
        IntroExpiryChanged = true;
}

void TAddOrEditCard::DT2Change()
{
    if (!m_settingDates)
        CardExpiryChanged = true;
}

CardValues TAddOrEditCard::values() const
{
    CardValues card;
    card.name = m_E1->text();
    card.nameModified = m_E1->isModified();
    card.cardExpiry = m_DT2->date();
    card.cardExpiryChanged = CardExpiryChanged;
    card.rate = m_E2->text();
    card.rateModified = m_E2->isModified();
    card.introRate = m_E3->text();
    card.introRateModified = m_E3->isModified();
    card.introExpiry = m_DT1->date();
    card.introExpiryChanged = IntroExpiryChanged;
    card.dueDay = m_E4->text();
    card.dueDayModified = m_E4->isModified();
    card.creditLimit = m_E5->text();
    card.creditLimitModified = m_E5->isModified();
    card.openingBalance = m_E6->text();
    return card;
}

void TAddOrEditCard::OKBtnClick()
{
    // A typed date is read here too, so it counts as a change of that date
    // even when OK comes before the box is left.
    if (refused(checkTypedDates({m_DT2, m_DT1})))
        return;
    CardValues card = values();
    const FormCheck check = m_form.check(m_mode, card);
    showPreparedText(m_E5, card.creditLimit);
    showPreparedText(m_E6, card.openingBalance);
    if (refused(check))
        return;
    finish([&] { m_form.post(m_mode, card); });
}
