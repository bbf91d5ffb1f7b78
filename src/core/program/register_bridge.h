#pragma once

#include "core/register/ledger_entry.h"

#include <QString>

class Pursewise;
struct CardValues;
struct EntryValues;

// The card-level sequences between the card list and the register: the year
// model, opening a card or another year of it, adding, editing and deleting a
// card, and posting a charge or payment into everything that depends on it.
// Holds no data; the order of the steps decides what is saved and what a
// later step reads, so each sequence keeps its order.
//
// The register belongs to one card, the one in `reg.cardKey`: postings and
// their saves always write that card's files and that card's row of the list,
// whichever row the main list has current.
class TC
{
public:
    explicit TC(Pursewise& p);

    // Year model: CurrentYr is this year's two-digit text, SelectedYr the
    // year the register shows.
    void InitCurrentYear();
    void SelectYear(const QString& yearText);

    // Opens the selected card into the register and shows it. A failure
    // part-way leaves the register closed, so it never shows a card it is
    // not fully bound to.
    void OpenCard();
    // Reloads the ledger for SelectedYr; also closes the register on failure.
    void ChangeYear();
    // Creates a card from the card dialog's values. With 24 cards listed it
    // fails with "Grid index out of range" before anything changes, and so
    // it does when no new key can be handed out (TCardList::NextKey).
    void AddCard(const CardValues& values);
    // Applies the fields the user changed to the open card.
    void EditCard(const CardValues& values);
    // Removes the selected card's row and every file of the card.
    void DeleteCard();

    void CheckOverdrawn();
    void RaiseLimit(const QString& amount);
    void LowerLimit(const QString& amount);

    // Entry posting; SelectedRow is the row the entry goes to or comes from.
    void MakeOpeningBalance(const CardValues& values);
    void AddCharge(const EntryValues& entry);
    void AddPayment(const EntryValues& entry);
    void PostCharge();
    void PostPayment();
    // The steps of an add at SelectedRow before its saves: the cells, the
    // cleared mark, the running balance, the count and the posting. Charge or
    // Payment; never EntryKind::None. AddCharge and AddPayment follow it with
    // SaveAfterEntry and CheckOverdrawn; the statement import enters many
    // entries and saves once per year.
    void EnterEntry(const EntryValues& entry, EntryKind kind);
    // The saves that follow an added entry: summary, card list, card
    // information, the year on view, opening balances and year list.
    void SaveAfterEntry();
    void DeleteCharge();
    void DeletePayment();

    // The register window closes: it shows no card any more and the main
    // list asks for a card again.
    void CloseRegister();

private:
    // Charge or Payment; never EntryKind::None.
    void addEntry(const EntryValues& entry, EntryKind kind);
    void post(EntryKind kind);
    void moveTotals(EntryKind effect, const QString& amount, bool cleared);
    void deleteEntry(EntryKind kind);
    void putOwedAndAvailable();
    void reloadYear();

    Pursewise& m_p;
};
