#pragma once

#include "core/program/dialog_form.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

class Pursewise;
class TccMath;
class TextGrid;

// Finds entries in every year ledger of every listed card, reading the files
// as they are on disk. It never writes a file and never touches the state the
// register shows; a ledger that cannot be read is left out and named.

// What the search window's boxes hold, as typed.
struct SearchFields
{
    QString text;
    QString amount;
    QString from;
    QString to;
};

// What an entry must match; a field left empty matches every entry. The text
// is any part of the description in any case ("gro" finds "Groceries"); the
// amount is a charge or a payment of exactly that many cents; the dates are
// both inclusive.
struct SearchQuery
{
    QString text;
    std::optional<std::int64_t> cents;
    std::optional<QDate> from;
    std::optional<QDate> to;
};

// The typed fields as a query, or the refusal with the box to focus:
// nothing typed at all, an amount that is no money ("12x"), a text that is
// no date, or a From date after the To date.
struct SearchCheck
{
    FormCheck check;
    SearchQuery query;
};
SearchCheck searchQueryOf(const TccMath& math, const SearchFields& typed);

// One entry found: the card (its key and its name cell in the card list,
// "3. Visa"), the year text ("26"), the ledger row from 1 and the row's texts.
struct SearchHit
{
    QString cardKey;
    QString cardName;
    QString year;
    int row = 0;
    QString date;
    QString description;
    QString charge;
    QString payment;

    bool operator==(const SearchHit&) const = default;
};

// The entries found, by card in list order, then year in year-list order,
// then row; and the files that could not be read (a year list or a ledger),
// which the search left out.
struct SearchResult
{
    std::vector<SearchHit> hits;
    QStringList unreadable;

    // "" when every file was read, else "1 file could not be read: 126.dat"
    // or "2 files could not be read: 126.dat, 3yl.dat".
    QString note() const;
};

// Searches the ledgers of the cards listed in `cardList` (the card list
// table, row 0 its headers) in the working directory. A card's year list
// KEYyl.dat names its years; a year without a ledger file has no entries, as
// in the register.
SearchResult searchLedgers(const TextGrid& cardList, const SearchQuery& query);

// "1 entry found", "3 entries found", "No entries found."
QString hitCountText(std::size_t hits);

// Opens a found entry as a person would: selects its card in the card list,
// opens the register as "Open Selected Card" does, changes to its year as
// the year chooser does, and makes its row the ledger's current row. Refused
// with a message when the card or its year is gone since the search.
void openSearchHit(Pursewise& p, const SearchHit& hit);
