#include "core/program/register_bridge.h"

#include "core/platform/clock.h"
#include "core/platform/data_file.h"
#include "core/platform/file_history.h"
#include "core/platform/short_date.h"
#include "core/platform/user_error.h"
#include "core/program/dialog_values.h"
#include "core/program/pursewise.h"

namespace {

// A year text is two digits ("05", "26"). Only such a line of a year list
// names a ledger: card 1's key followed by "226" or "2info" would name a file
// of card 12, and "../x" a file outside the folder.
bool isYearText(const QString& text)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return text.size() == 2 && digit(text[0]) && digit(text[1]);
}

} // namespace

TC::TC(Pursewise& p) : m_p(p) {}

void TC::InitCurrentYear()
{
    const QString year = QString::number(Clock::today().year());
    m_p.main.CurrentYr = year.size() == 4 ? year.mid(2, 2) : year;
}

void TC::SelectYear(const QString& yearText)
{
    m_p.main.SelectedYr = yearText;
}

void TC::OpenCard()
{
    try {
        m_p.reg.cardKey = m_p.cardList.selectedKey();
        m_p.currentCard.ResetCard();
        SelectYear(m_p.main.CurrentYr);
        m_p.yrEditBox.ShowSelectedYear();
        m_p.yrList.ClearYears();
        m_p.yrList.LoadYears();
        if (m_p.yrList.LastYearIsNotCurrent()) {
            // Opening a card in a new year adds the year, and would add it
            // again after an undo: it is upkeep, not a change to undo.
            const FileHistory::Upkeep upkeep;
            m_p.yrList.AddCurrentYear();
            m_p.yrList.SaveYears();
        }
        m_p.cardInfo.LoadInfo();
        m_p.grid.LoadYear();
        m_p.beginBal.TakeCurrentYear();
        m_p.beginBal.TakeSelectedYear();
        m_p.beginBal.ClearBalances();
        m_p.beginBal.LoadBalances();
        reloadYear();
        CheckOverdrawn();
    } catch (...) {
        m_p.reg.shown = false;
        throw;
    }
    // Each card opens at its first entry, not at the row the last card was
    // left at (which may lie past this card's entries).
    m_p.ledger.setCurrentRow(1);
    m_p.reg.shown = true;
}

void TC::ChangeYear()
{
    try {
        m_p.grid.ClearLedger();
        m_p.yrEditBox.ShowSelectedYear();
        m_p.grid.LoadYear();
        m_p.beginBal.TakeSelectedYear();
        reloadYear();
    } catch (...) {
        m_p.reg.shown = false;
        throw;
    }
}

// A year whose opening balance changed since it was last shown gets its
// running balances recomputed and saved.
void TC::reloadYear()
{
    if (!m_p.beginBal.IsStale())
        return;
    const FileHistory::Upkeep upkeep;
    m_p.grid.RecomputeBalances();
    m_p.beginBal.MarkFresh();
    m_p.beginBal.SaveBalances();
    m_p.grid.SaveYear();
}

void TC::AddCard(const CardValues& values)
{
    TCardList& list = m_p.cardList;
    // With every row taken the card is refused before a key is handed out or
    // the register is touched.
    if (list.cardCount() >= m_p.sg1.rowCount() - 1)
        throw UserError("Grid index out of range");
    // The key first: when none can be handed out, nothing has changed yet.
    list.NextKey();

    // The new card's first ledger and its carries belong to this year, the
    // year its year list starts with.
    SelectYear(m_p.main.CurrentYr);
    // The register is about to hold the new card; a register open on another
    // card closes rather than show one card while bound to another.
    m_p.reg.shown = false;

    m_p.grid.ResetEntryCount();
    m_p.currentCard.ResetCard();
    // A new card has no opening balances yet: the table must not lend it the
    // balances of the card opened before.
    m_p.beginBal.ClearBalances();
    m_p.beginBal.TakeCurrentYear();
    m_p.beginBal.TakeSelectedYear();

    list.SelectNewRow();
    list.setSelectedKey(QString::number(list.lastKey()));
    m_p.reg.cardKey = list.selectedKey();

    TCardInfo& info = m_p.cardInfo;
    info.SetCardName(values.name);
    info.SetExpiryDate(ShortDate::toText(values.cardExpiry));
    info.SetRate(values.rate);
    info.SetIntroRate(values.introRate);
    info.SetIntroExpiry(ShortDate::toText(values.introExpiry));
    info.SetDueDay(values.dueDay);
    info.AddToLimit(values.creditLimit);
    m_p.reg.E7 = m_p.reg.E5;

    // A balance of nothing, however it was typed ("0", "00.00"), makes no
    // opening row.
    const QString& opening = values.openingBalance;
    const bool hasOpening =
        !opening.isEmpty() && opening != u"0" && m_p.math.AmountToCents(opening.toStdString()) != 0;
    if (hasOpening) {
        MakeOpeningBalance(values);
        m_p.grid.setEntryCount(1);
    }

    list.PutNameCell(list.selectedKey() + QStringLiteral(". ") + values.name);
    list.PutIntroCell(m_p.reg.E2);
    list.PutExpiresCell(m_p.reg.Edit1);
    list.PutRateCell(m_p.reg.E1);
    list.PutLimitCell(m_p.reg.E5);
    list.PutOwedCell(QStringLiteral("0.00"));
    list.PutAvailableCell(m_p.reg.E5);
    list.PutIntroExpiryCell(m_p.reg.E3);
    list.IncrementCount();
    m_p.summary.ComputeTotals();

    if (hasOpening) {
        m_p.beginBal.ClearBalances();
        m_p.beginBal.TakeCurrentYear();
        m_p.beginBal.TakeSelectedYear();
        PostCharge();
    } else {
        m_p.reg.E6 = QStringLiteral("0.00");
        m_p.reg.E8 = QStringLiteral("0.00");
        list.PutOwedCell(m_p.reg.E6);
        m_p.summary.ComputeTotals();
    }

    m_p.yrList.ClearYears();
    m_p.yrList.AddCurrentYear();

    m_p.summary.SaveSummary();
    list.SaveList();
    m_p.cardInfo.SaveInfo();
    m_p.grid.SaveYear();
    if (hasOpening)
        m_p.beginBal.SaveBalances();
    m_p.yrList.SaveYears();
}

void TC::EditCard(const CardValues& values)
{
    TCardList& list = m_p.cardList;
    TCardInfo& info = m_p.cardInfo;
    const QString& key = m_p.reg.cardKey;

    if (values.nameModified) {
        const QString cell = m_p.sg1.cell(TCardList::Name, list.RowOfKey(key));
        const qsizetype blank = cell.indexOf(u' ');
        const QString renamed = cell.left(blank + 1) + values.name;
        list.PutCardCell(key, TCardList::Name, renamed);
        info.SetCardName(renamed.mid(blank + 1));
    }
    if (values.cardExpiryChanged) {
        info.SetExpiryDate(ShortDate::toText(values.cardExpiry));
        list.PutCardCell(key, TCardList::Expires, m_p.reg.Edit1);
    }
    if (values.rateModified) {
        info.SetRate(values.rate);
        list.PutCardCell(key, TCardList::Rate, m_p.reg.E1);
    }
    if (values.introRateModified) {
        info.SetIntroRate(values.introRate);
        list.PutCardCell(key, TCardList::Intro, m_p.reg.E2);
    }
    if (values.introExpiryChanged) {
        info.SetIntroExpiry(ShortDate::toText(values.introExpiry));
        list.PutCardCell(key, TCardList::IntroExpiry, m_p.reg.E3);
    }
    if (values.dueDayModified)
        info.SetDueDay(values.dueDay);
    if (values.creditLimitModified) {
        const TccMath& math = m_p.math;
        const std::string oldLimit = orZero(m_p.reg.E5).toStdString();
        const std::string newLimit = values.creditLimit.toStdString();
        const double oldValue = math.AmountToFloat(oldLimit);
        const double newValue = math.AmountToFloat(newLimit);
        if (newValue > oldValue)
            RaiseLimit(QString::fromStdString(math.SubtractAmounts(newLimit, oldLimit)));
        else if (newValue < oldValue)
            LowerLimit(QString::fromStdString(math.SubtractAmounts(oldLimit, newLimit)));
    }

    info.SaveInfo();
    list.SaveList();
    m_p.summary.SaveSummary();
    CheckOverdrawn();
}

void TC::RaiseLimit(const QString& amount)
{
    m_p.cardInfo.AddToLimit(amount);
    m_p.cardInfo.RecomputeAvailable();
    m_p.cardList.PutCardCell(m_p.reg.cardKey, TCardList::Limit, m_p.reg.E5);
    m_p.cardList.PutCardCell(m_p.reg.cardKey, TCardList::Available, m_p.reg.E7);
    m_p.summary.ComputeTotals();
}

void TC::LowerLimit(const QString& amount)
{
    m_p.cardInfo.SubtractFromLimit(amount);
    m_p.cardInfo.RecomputeAvailable();
    m_p.cardList.PutCardCell(m_p.reg.cardKey, TCardList::Limit, m_p.reg.E5);
    m_p.cardList.PutCardCell(m_p.reg.cardKey, TCardList::Available, m_p.reg.E7);
    m_p.summary.ComputeTotals();
}

void TC::DeleteCard()
{
    TCardList& list = m_p.cardList;
    const QString key = m_p.reg.cardKey;
    if (const int row = list.RowOfKey(key); row > 0 && row != m_p.sg1.currentRow())
        m_p.sg1.setCurrentRow(row);
    if (m_p.reg.shown)
        m_p.reg.shown = false;

    list.RemoveSelectedRow();
    m_p.summary.ComputeTotals();
    for (const QString& year : m_p.years.items) {
        // A year list edited by hand must not steer a deletion out of the
        // folder or onto another card's files.
        if (isYearText(year))
            DataFile::remove(key + year + QStringLiteral(".dat"));
    }
    DataFile::remove(key + QStringLiteral("info.dat"));
    DataFile::remove(key + QStringLiteral("bb.dat"));
    DataFile::remove(key + QStringLiteral("yl.dat"));
    DataFile::remove(key + QStringLiteral("rc.dat"));
    list.SaveList();
    m_p.summary.SaveSummary();
    list.ClearSelection();
}

void TC::CheckOverdrawn()
{
    // Compared in double precision: every amount a user can type (13 digits
    // and cents) is exact there, so a balance 0.01 over the limit always shows.
    const TccMath& math = m_p.math;
    const double owed = m_p.reg.E6.isEmpty() ? 0.0 : math.AmountToFloat(m_p.reg.E6.toStdString());
    const double limit = m_p.reg.E5.isEmpty() ? 0.0 : math.AmountToFloat(m_p.reg.E5.toStdString());
    m_p.reg.overdrawn = owed > limit;
}

void TC::MakeOpeningBalance(const CardValues& values)
{
    m_p.ledger.setCurrentRow(1);
    m_p.grid.CaptureSelectedRow();
    m_p.grid.SetDate(ShortDate::toText(values.introExpiry));
    m_p.grid.SetDescription(QStringLiteral("Opening Bal"));
    m_p.grid.SetCharge(values.openingBalance);
    m_p.grid.ToggleCleared();
    m_p.grid.RecomputeBalances();
}

void TC::AddCharge(const EntryValues& entry)
{
    addEntry(entry, EntryKind::Charge);
}

void TC::AddPayment(const EntryValues& entry)
{
    addEntry(entry, EntryKind::Payment);
}

void TC::addEntry(const EntryValues& entry, EntryKind kind)
{
    EnterEntry(entry, kind);
    SaveAfterEntry();
    CheckOverdrawn();
}

void TC::EnterEntry(const EntryValues& entry, EntryKind kind)
{
    TGrid& grid = m_p.grid;
    grid.SetDate(ShortDate::toText(entry.date));
    grid.SetDescription(entry.description);
    if (kind == EntryKind::Charge)
        grid.SetCharge(entry.charge);
    else
        grid.SetPayment(entry.payment);
    if (entry.cleared)
        grid.ToggleCleared();
    grid.RecomputeBalances();
    grid.IncrementEntryCount();
    post(kind);
}

void TC::SaveAfterEntry()
{
    m_p.summary.SaveSummary();
    m_p.cardList.SaveList();
    m_p.cardInfo.SaveInfo();
    m_p.grid.SaveYear();
    m_p.beginBal.SaveBalances();
    m_p.yrList.SaveYears();
}

void TC::PostCharge()
{
    post(EntryKind::Charge);
}

void TC::PostPayment()
{
    post(EntryKind::Payment);
}

void TC::post(EntryKind kind)
{
    const int row = m_p.grid.selectedRow();
    const LedgerEntry entry = entryAt(m_p.ledger, row);
    moveTotals(kind, kind == EntryKind::Charge ? entry.charge : entry.payment, entry.cleared);
    putOwedAndAvailable();
    m_p.summary.ComputeTotals();
}

// What a charge (or payment) does to the card: the balance owed, the
// available credit, the reconciled balance when cleared, and the opening
// balances of later years. Removing a charge does what a payment does.
void TC::moveTotals(EntryKind effect, const QString& amount, bool cleared)
{
    TCardInfo& info = m_p.cardInfo;
    if (effect == EntryKind::Charge) {
        info.AddToOwed(amount);
        info.RecomputeAvailable();
        if (cleared)
            info.AddToReconciled(amount);
        m_p.beginBal.CarryCharge(amount);
    } else {
        info.SubtractFromOwed(amount);
        info.RecomputeAvailable();
        if (cleared)
            info.SubtractFromReconciled(amount);
        m_p.beginBal.CarryPayment(amount);
    }
}

void TC::DeleteCharge()
{
    deleteEntry(EntryKind::Charge);
}

void TC::DeletePayment()
{
    deleteEntry(EntryKind::Payment);
}

void TC::deleteEntry(EntryKind kind)
{
    const int row = m_p.grid.selectedRow();
    const LedgerEntry entry = entryAt(m_p.ledger, row);
    const QString& amount = kind == EntryKind::Charge ? entry.charge : entry.payment;

    TGrid& grid = m_p.grid;
    grid.ClearSelectedRow();
    grid.CloseGapAtSelectedRow();
    grid.DecrementEntryCount();
    grid.RecomputeBalances();

    moveTotals(kind == EntryKind::Charge ? EntryKind::Payment : EntryKind::Charge, amount,
               entry.cleared);
    putOwedAndAvailable();
    m_p.summary.ComputeTotals();
    CheckOverdrawn();
}

// The open card's row, found by its key: the main list's current row may
// have moved to another card while the register was open.
void TC::putOwedAndAvailable()
{
    m_p.cardList.PutCardCell(m_p.reg.cardKey, TCardList::Owed, m_p.reg.E6);
    m_p.cardList.PutCardCell(m_p.reg.cardKey, TCardList::Available, m_p.reg.E7);
}

void TC::CloseRegister()
{
    m_p.reg.shown = false;
    m_p.cardList.ClearSelection();
}
