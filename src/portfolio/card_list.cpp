#include "portfolio/card_list.h"

#include "platform/clock.h"
#include "platform/conversions.h"
#include "platform/data_file.h"
#include "platform/grid_file.h"
#include "platform/short_date.h"

#include <algorithm>

namespace {
const QString listFile = QStringLiteral("CardList.dat");
constexpr int lastCardRow = 24;
} // namespace

TCardList::TCardList(TextGrid& sg1) : m_sg1(sg1) {}

void TCardList::ResetLastKey()
{
    m_lastKey = 0;
}

void TCardList::NextKey()
{
    ++m_lastKey;
}

void TCardList::ResetCount()
{
    m_cardCount = 0;
}

void TCardList::IncrementCount()
{
    ++m_cardCount;
}

void TCardList::DecrementCount()
{
    if (m_cardCount > 0)
        --m_cardCount;
}

void TCardList::ClearSelection()
{
    m_selectedKey.clear();
}

QString TCardList::keyOfName(const QString& nameCell)
{
    const qsizetype point = nameCell.indexOf(u'.');
    return point < 0 ? nameCell : nameCell.left(point);
}

void TCardList::SelectFromGrid()
{
    const QString& name = m_sg1.cell(Name, m_sg1.currentRow());
    m_selectedKey = name.isEmpty() ? QString() : keyOfName(name);
}

void TCardList::SelectNewRow()
{
    const int row = m_cardCount + 1;
    if (row == m_sg1.currentRow())
        return;
    m_sg1.setCurrentRow(row);
    SelectFromGrid();
}

void TCardList::putCurrent(Column column, const QString& text)
{
    m_sg1.setCell(column, m_sg1.currentRow(), text);
}

void TCardList::PutNameCell(const QString& text)
{
    putCurrent(Name, text);
}

void TCardList::PutExpiresCell(const QString& text)
{
    putCurrent(Expires, text);
}

void TCardList::PutIntroCell(const QString& text)
{
    putCurrent(Intro, text);
}

void TCardList::PutRateCell(const QString& text)
{
    putCurrent(Rate, text);
}

void TCardList::PutLimitCell(const QString& text)
{
    putCurrent(Limit, text);
}

void TCardList::PutOwedCell(const QString& text)
{
    putCurrent(Owed, text);
}

void TCardList::PutAvailableCell(const QString& text)
{
    putCurrent(Available, text);
}

void TCardList::PutIntroExpiryCell(const QString& text)
{
    putCurrent(IntroExpiry, text);
}

void TCardList::ClearCurrentRow()
{
    m_sg1.clearCells(m_sg1.currentRow(), Name, IntroExpiry);
}

void TCardList::ShiftRowsUp()
{
    for (int row = m_sg1.currentRow(); row < m_cardCount; ++row)
        m_sg1.copyCells(row + 1, row, Name, IntroExpiry);
    if (m_cardCount >= 1)
        m_sg1.clearCells(m_cardCount, Name, IntroExpiry);
}

void TCardList::RemoveSelectedRow()
{
    ClearCurrentRow();
    if (m_sg1.currentRow() < m_cardCount)
        ShiftRowsUp();
    DecrementCount();
}

bool TCardList::NameExists(const QString& name) const
{
    for (int row = 1; row <= lastCardRow; ++row) {
        const QString& cell = m_sg1.cell(Name, row);
        if (cell.isEmpty())
            return false;
        const qsizetype blank = cell.indexOf(u' ');
        if (blank >= 0 && cell.mid(blank + 1) == name)
            return true;
    }
    return false;
}

void TCardList::MarkExpired()
{
    const QDateTime now = Clock::now();
    for (int row = 1; row <= m_cardCount; ++row) {
        // A row cut short by a damaged file has no date to test.
        const QString& cell = m_sg1.cell(IntroExpiry, row);
        if (cell.isEmpty())
            continue;
        const QDate expiry = ShortDate::parse(cell);
        if (now > QDateTime(expiry, QTime(0, 0)))
            m_sg1.setCell(Intro, row, QStringLiteral("Expired"));
    }
}

void TCardList::SaveList() const
{
    DataFile::LineWriter file;
    file.append(m_lastKey);
    file.endLine();
    file.append(m_cardCount);
    file.endLine();
    addCellLines(file, m_sg1, 1, lastCardRow, Name, IntroExpiry);
    DataFile::writeBytes(listFile, file.finish());
}

void TCardList::LoadList()
{
    try {
        const bool read = readDataFileIfAny(listFile, [this](const QString& text) {
            DataFile::LineReader lines(text);
            m_lastKey = readNumberLine(lines);
            m_cardCount = readNumberLine(lines);
            if (m_cardCount < 0 || m_cardCount > lastCardRow)
                throw UserError(QStringLiteral("Line 2 of %1 lies outside the table.")
                                    .arg(listFile)
                                    .toStdString());
            loadCellLines(listFile, text, lines, m_sg1, {1, lastCardRow, Name, IntroExpiry});
        });
        if (!read)
            return;
    } catch (const UserError&) {
        repairAfterDamage();
        throw;
    }
    raiseLastKeyToListedKeys();
}

void TCardList::raiseLastKeyToListedKeys()
{
    // A key is never handed out twice, even when the file's counter lags
    // behind the keys it lists.
    m_lastKey = std::max(m_lastKey, 0);
    for (int row = 1; row <= lastCardRow; ++row) {
        bool ok = false;
        const int key = keyOfName(m_sg1.cell(Name, row)).toInt(&ok);
        if (ok && key > m_lastKey)
            m_lastKey = key;
    }
}

void TCardList::repairAfterDamage()
{
    // The cards are the rows filled from the top; no later step may read an
    // empty row as a card or hand out a key that is listed.
    m_cardCount = 0;
    while (m_cardCount < lastCardRow && !m_sg1.cell(Name, m_cardCount + 1).isEmpty())
        ++m_cardCount;
    raiseLastKeyToListedKeys();
}

int TCardList::RowOfKey(const QString& key) const
{
    if (key.isEmpty())
        return 0;
    for (int row = 1; row <= lastCardRow; ++row) {
        const QString& name = m_sg1.cell(Name, row);
        if (!name.isEmpty() && keyOfName(name) == key)
            return row;
    }
    return 0;
}

void TCardList::PutCardCell(const QString& key, Column column, const QString& text)
{
    if (const int row = RowOfKey(key); row > 0)
        m_sg1.setCell(column, row, text);
}
