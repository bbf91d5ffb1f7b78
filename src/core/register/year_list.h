#pragma once

#include <QString>
#include <QStringList>

struct YearTexts;
struct RegisterFields;

// The years a card has ledgers for, oldest first, as the year chooser lists
// them, with the selection the chooser keeps.
struct YearList
{
    QStringList items;
    int selected = -1;
};

// Keeps a card's year list and its file key + "yl.dat": one year text per
// line, in list order. Never reads or writes a ledger.
class TYrList
{
public:
    TYrList(YearList& list, const YearTexts& years, const RegisterFields& card);

    void ClearYears();
    // Replaces the list with the file's lines; a missing file leaves it as it is.
    void LoadYears();
    void SaveYears() const;
    void AddCurrentYear();
    // True when the list is empty or its last year is not this year.
    bool LastYearIsNotCurrent() const;

    QString fileName() const;

private:
    YearList& m_list;
    const YearTexts& m_years;
    const RegisterFields& m_card;
};
