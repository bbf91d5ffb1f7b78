#include "core/register/grid.h"

#include "core/amounts/cc_math.h"
#include "core/amounts/stored_amount.h"
#include "core/platform/conversions.h"
#include "core/platform/data_file.h"
#include "core/platform/grid_file.h"
#include "core/platform/text_grid.h"
#include "core/platform/year_texts.h"
#include "core/register/begin_bal.h"
#include "core/register/register_fields.h"

TGrid::TGrid(TextGrid& ledger, const TBeginBal& beginBal, const YearTexts& years,
             const RegisterFields& card, const TccMath& math)
    : m_ledger(ledger), m_beginBal(beginBal), m_years(years), m_card(card), m_math(math)
{}

void TGrid::CaptureSelectedRow()
{
    m_selectedRow = m_ledger.currentRow();
}

void TGrid::SelectRowAfterLast()
{
    m_ledger.setCurrentRow(m_entryCount + 1);
}

void TGrid::ClearSelectedRow()
{
    m_ledger.clearCells(m_selectedRow, Date, Balance);
}

void TGrid::ClearLedger()
{
    m_ledger.clearCells(1, lastRow, Date, Balance);
}

void TGrid::ResetEntryCount()
{
    m_entryCount = 0;
}

void TGrid::IncrementEntryCount()
{
    ++m_entryCount;
}

void TGrid::DecrementEntryCount()
{
    --m_entryCount;
}

void TGrid::setSelectedCell(Column column, const QString& text)
{
    m_ledger.setCell(column, m_selectedRow, text);
}

void TGrid::SetDate(const QString& text)
{
    setSelectedCell(Date, text);
}

void TGrid::SetDescription(const QString& text)
{
    setSelectedCell(Description, text);
}

void TGrid::SetCharge(const QString& text)
{
    setSelectedCell(Charges, text);
}

void TGrid::SetPayment(const QString& text)
{
    setSelectedCell(Payments, text);
}

void TGrid::ToggleCleared()
{
    const bool cleared = m_ledger.cell(Cleared, m_selectedRow) == u"X";
    setSelectedCell(Cleared, cleared ? QString() : QStringLiteral("X"));
}

void TGrid::OpenGapAtSelectedRow()
{
    SelectRowAfterLast();
    for (int row = m_entryCount + 1; row > m_selectedRow; --row)
        m_ledger.copyCells(row - 1, row, Date, Balance);
    ClearSelectedRow();
}

void TGrid::CloseGapAtSelectedRow()
{
    for (int row = m_selectedRow; row < m_entryCount; ++row)
        m_ledger.copyCells(row + 1, row, Date, Balance);
    if (m_entryCount >= 1)
        m_ledger.clearCells(m_entryCount, Date, Balance);
}

namespace {

// The cents of a stored amount: a plain one is read where it lies, anything
// else the long way, which also gives the message for a text that is no amount.
std::int64_t centsOf(const TccMath& math, QStringView text)
{
    if (const auto cents =
            TccMath::PlainCents(std::u16string_view(text.utf16(), std::size_t(text.size()))))
        return *cents;
    return math.AmountToCents(text.toString().toStdString());
}

} // namespace

void TGrid::RecomputeBalances()
{
    // The balance runs in whole cents; each row's money text is made from
    // them, exactly as adding the money texts one by one would make it.
    std::int64_t balance =
        m_math.AmountToCents(m_beginBal.openingBalance(m_beginBal.selectedYear()).toStdString());
    for (int row = 1; row <= lastRow; ++row) {
        const QStringView charge = m_ledger.cellView(Charges, row);
        const QStringView payment = m_ledger.cellView(Payments, row);
        if (charge.isEmpty() && payment.isEmpty())
            return;
        const bool overflow =
            charge.isEmpty() ? __builtin_sub_overflow(balance, centsOf(m_math, payment), &balance)
                             : __builtin_add_overflow(balance, centsOf(m_math, charge), &balance);
        if (overflow)
            throw UserError("The running balance of row " + std::to_string(row) +
                            " is too large an amount");
        m_ledger.setCellLatin1(Balance, row, m_math.CentsToAmount(balance));
    }
}

QString TGrid::fileName() const
{
    return m_card.cardKey + m_years.SelectedYr + QStringLiteral(".dat");
}

void TGrid::SaveYear() const
{
    DataFile::LineWriter file;
    file.append(m_entryCount);
    file.endLine();
    addCellLines(file, m_ledger, 1, lastRow, Date, Balance);
    DataFile::writeBytes(fileName(), file.finish());
}

void TGrid::checkRows(const QString& name) const
{
    // Entries fill rows 1 to EntryCount: a count below the rows that hold
    // entries would let the next Add overwrite one, a count above them would
    // count empty rows as entries.
    int entries = 0;
    for (int row = 1; row <= lastRow; ++row) {
        bool filled = false;
        for (int column = Date; column <= Balance && !filled; ++column)
            filled = !m_ledger.cellView(column, row).isEmpty();
        if (!filled)
            continue;
        if (row != entries + 1)
            throw UserError(QStringLiteral("Row %1 of %2 is empty, but a later row holds an entry.")
                                .arg(entries + 1)
                                .arg(name)
                                .toStdString());
        ++entries;
    }
    if (entries != m_entryCount)
        throw UserError(
            QStringLiteral("Line 1 of %1 counts %2 %3, but the ledger holds %4.")
                .arg(name)
                .arg(m_entryCount)
                .arg(m_entryCount == 1 ? QStringLiteral("entry") : QStringLiteral("entries"))
                .arg(entries)
                .toStdString());
}

int TGrid::filledRows() const
{
    int rows = 0;
    while (rows < lastRow) {
        bool filled = false;
        for (int column = Date; column <= Balance && !filled; ++column)
            filled = !m_ledger.cellView(column, rows + 1).isEmpty();
        if (!filled)
            break;
        ++rows;
    }
    return rows;
}

void TGrid::LoadYear()
{
    const QString name = fileName();
    try {
        const bool read = readDataFileIfAny(
            name,
            [&](const QString& text) {
                DataFile::LineReader lines(text);
                const int count = readNumberLine(lines);
                if (count < 0 || count > lastRow)
                    throw UserError(QStringLiteral("Line 1 of %1 lies outside the table.")
                                        .arg(name)
                                        .toStdString());
                m_entryCount = count;
                loadCellLines(name, text, lines, m_ledger, {1, lastRow, Date, Balance},
                              {1u << Charges | 1u << Payments,
                               [&](int, int, QStringView cell, qsizetype line) {
                                   if (!isPlainStoredAmount(cell))
                                       checkStoredAmount(cell, line, name);
                               }});
                checkRows(name);
            },
            m_ledger.takeSpareText());
        if (!read)
            m_entryCount = 0;
    } catch (const UserError&) {
        // The entries are the rows filled from the top; rows after a gap are
        // no entries (the damaged copy keeps them), so nothing may show,
        // count or save them.
        m_entryCount = filledRows();
        if (m_entryCount < lastRow)
            m_ledger.clearCells(m_entryCount + 1, lastRow, Date, Balance);
        throw;
    }
}
