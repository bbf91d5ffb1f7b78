#include "core/program/year_form.h"

#include "core/program/pursewise.h"

YearForm::YearForm(Pursewise& p) : m_p(p) {}

FormCheck YearForm::check() const
{
    const YearList& years = m_p.years;
    if (years.selected < 0 || years.selected >= years.items.size())
        return FormCheck::refuse(QStringLiteral("A year must be selected from the listbox."));
    return {};
}

void YearForm::post()
{
    if (!check().accepted())
        return;
    m_p.tc.SelectYear(m_p.years.items.at(m_p.years.selected));
    m_p.tc.ChangeYear();
}
