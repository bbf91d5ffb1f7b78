#include "register/grid.h"

#include "amounts/cc_math.h"
#include "platform/conversions.h"
#include "platform/data_file.h"
#include "platform/grid_file.h"
#include "platform/text_grid.h"
#include "portfolio/main_fields.h"
#include "register/begin_bal.h"
#include "register/register_fields.h"

TGrid::TGrid(TextGrid& ledger, const TBeginBal& beginBal, const MainFields& years,
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
    for (int row = 1; row <= lastRow; ++row)
        m_ledger.clearCells(row, Date, Balance);
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

void TGrid::RecomputeBalances()
{
    // The balance runs in whole cents; each row's money text is made from
    // them, exactly as adding the money texts one by one would make it.
    std::int64_t balance =
        m_math.AmountToCents(m_beginBal.openingBalance(m_beginBal.selectedYear()).toStdString());
    for (int row = 1; row <= lastRow; ++row) {
        const QString& charge = m_ledger.cell(Charges, row);
        const QString& payment = m_ledger.cell(Payments, row);
        if (charge.isEmpty() && payment.isEmpty())
            return;
        const bool overflow =
            charge.isEmpty()
                ? __builtin_sub_overflow(balance, m_math.AmountToCents(payment.toStdString()),
                                         &balance)
                : __builtin_add_overflow(balance, m_math.AmountToCents(charge.toStdString()),
                                         &balance);
        if (overflow)
            throw UserError("The running balance of row " + std::to_string(row) +
                            " is too large an amount");
        m_ledger.setCell(Balance, row, QString::fromStdString(m_math.CentsToAmount(balance)));
    }
}

QString TGrid::fileName() const
{
    return m_card.cardKey + m_years.SelectedYr + QStringLiteral(".dat");
}

void TGrid::SaveYear() const
{
    QStringList lines{QString::number(m_entryCount)};
    lines += cellLines(m_ledger, 1, lastRow, Date, Balance);
    DataFile::writeLines(fileName(), lines);
}

int TGrid::filledRows() const
{
    int rows = 0;
    while (rows < lastRow) {
        bool filled = false;
        for (int column = Date; column <= Balance && !filled; ++column)
            filled = !m_ledger.cell(column, rows + 1).isEmpty();
        if (!filled)
            break;
        ++rows;
    }
    return rows;
}

void TGrid::LoadYear()
{
    const QString name = fileName();
    if (!DataFile::exists(name)) {
        m_entryCount = 0;
        return;
    }
    try {
        readDataFile(name, [&](const QStringList& lines) {
            const int count = parseInteger(lines.value(0));
            if (count < 0 || count > lastRow)
                throw UserError(
                    QStringLiteral("Line 1 of %1 lies outside the table.").arg(name).toStdString());
            m_entryCount = count;
            loadCellLines(name, lines, 1, m_ledger, {1, lastRow, Date, Balance});
        });
    } catch (const UserError&) {
        // The entries are the rows read so far; no step may count on more.
        m_entryCount = filledRows();
        throw;
    }
}
