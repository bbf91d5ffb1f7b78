#include "core/program/card_form.h"

#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/program/pursewise.h"

namespace {

// A credit limit or opening balance as the card dialog prepares it: "-",
// "$" and "," dropped, ".00" added when there is no point.
bool prepareAmount(const TccMath& math, QString& amount)
{
    const std::string prepared = math.PrepareTypedAmount(amount.toStdString(), true);
    amount = QString::fromStdString(prepared);
    return math.IsValidAmount(prepared) && math.IsPlainAmount(prepared);
}

QDate dateOrToday(const QString& text)
{
    return ShortDate::tryParse(text).value_or(Clock::today());
}

} // namespace

CardForm::CardForm(Pursewise& p) : m_p(p) {}

CardValues CardForm::fromRegister() const
{
    const RegisterFields& reg = m_p.reg;
    CardValues values;
    values.name = reg.L7;
    values.rate = reg.E1;
    values.introRate = reg.E2;
    values.dueDay = reg.E4;
    values.creditLimit = reg.E5;
    values.introExpiry = dateOrToday(reg.E3);
    values.cardExpiry = dateOrToday(reg.Edit1);
    return values;
}

FormCheck CardForm::check(CardMode mode, CardValues& values) const
{
    const QString sameName =
        QStringLiteral("You already have a card by this name. Select another name. ");
    if (values.name.isEmpty())
        return FormCheck::refuse(QStringLiteral("Name required"), QStringLiteral("E1"));
    if (mode == CardMode::Add && m_p.cardList.NameExists(values.name))
        return FormCheck::refuse(sameName, QStringLiteral("E1"));
    // Keeping the card's own name is fine; taking another card's is not.
    if (mode == CardMode::Edit && m_p.cardList.NameExists(values.name) && values.name != m_p.reg.L7)
        return FormCheck::refuse(sameName, QStringLiteral("E1"));
    if (values.creditLimit.isEmpty())
        return FormCheck::refuse(QStringLiteral("Credit Limit required."), QStringLiteral("E5"));

    if (mode == CardMode::Add) {
        if (!prepareAmount(m_p.math, values.creditLimit))
            return FormCheck::refuse(QStringLiteral("Faulty entry for Credit Limit"),
                                     QStringLiteral("E5"));
        QString& opening = values.openingBalance;
        if (!opening.isEmpty() && opening != u"0" && !prepareAmount(m_p.math, opening))
            return FormCheck::refuse(QStringLiteral("Invalid entry for Balance Due"),
                                     QStringLiteral("E6"));
        return {};
    }
    if (values.creditLimitModified && !prepareAmount(m_p.math, values.creditLimit))
        return FormCheck::refuse(QStringLiteral("Invalid entry for Credit Limit"),
                                 QStringLiteral("E5"));
    return {};
}

void CardForm::post(CardMode mode, const CardValues& values)
{
    if (mode == CardMode::Add)
        m_p.tc.AddCard(values);
    else
        m_p.tc.EditCard(values);
}
