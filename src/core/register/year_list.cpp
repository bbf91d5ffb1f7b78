#include "core/register/year_list.h"

#include "core/platform/data_file.h"
#include "core/platform/grid_file.h"
#include "core/platform/year_texts.h"
#include "core/register/register_fields.h"

TYrList::TYrList(YearList& list, const YearTexts& years, const RegisterFields& card)
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
