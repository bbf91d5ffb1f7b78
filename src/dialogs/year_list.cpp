#include "dialogs/year_list.h"

#include "platform/data_file.h"
#include "platform/grid_file.h"
#include "portfolio/main_fields.h"
#include "register/register_fields.h"

TYrList::TYrList(YearList& list, const MainFields& years, const RegisterFields& card)
    : m_list(list), m_years(years), m_card(card)
{}

void TYrList::ClearYears()
{
    m_list.items.clear();
    m_list.selected = -1;
}

void TYrList::LoadYears()
{
    QStringList items;
    const bool read = readDataFileIfAny(
        fileName(), [&](const QString& text) { items = DataFile::splitLines(text); });
    if (!read)
        return;
    m_list.items = items;
    m_list.selected = -1;
}

void TYrList::SaveYears() const
{
    DataFile::writeLines(fileName(), m_list.items);
}

void TYrList::AddCurrentYear()
{
    m_list.items.append(m_years.CurrentYr);
}

bool TYrList::LastYearIsNotCurrent() const
{
    return m_list.items.isEmpty() || m_list.items.last() != m_years.CurrentYr;
}

QString TYrList::fileName() const
{
    return m_card.cardKey + QStringLiteral("yl.dat");
}
