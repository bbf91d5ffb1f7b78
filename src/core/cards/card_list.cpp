#include "core/cards/card_list.h"

#include "core/amounts/stored_amount.h"
#include "core/platform/clock.h"
#include "core/platform/conversions.h"
#include "core/platform/data_file.h"
#include "core/platform/grid_file.h"
#include "core/platform/short_date.h"

#include <QDir>

#include <algorithm>
#include <map>

namespace {
const QString listFile = QStringLiteral("CardList.dat");
constexpr int lastCardRow = 24;

// "1 card", "2 cards".
QString cardsText(int count)
{
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" card") : QStringLiteral(" cards"));
}

// The key a file of the folder belongs to, 0 for a file of no card: the digits
// before "info.dat", "bb.dat" or "yl.dat", or all digits but the last two
// before ".dat" ("326.dat" is card 3's year 26). Copies such as
// "326.dat.damaged" count as well. A key the list could never hand out (a
// leading zero, past the largest) names no file a new card would write.
qint64 keyOfFileName(const QString& name)
{
    qsizetype digits = 0;
    while (digits < name.size() && name[digits] >= u'0' && name[digits] <= u'9')
        ++digits;
    const QStringView rest = QStringView(name).mid(digits);
    QStringView key;
    if (rest.startsWith(u"info.dat") || rest.startsWith(u"bb.dat") || rest.startsWith(u"yl.dat"))
        key = QStringView(name).left(digits);
    else if (rest.startsWith(u".dat") && digits >= 3)
        key = QStringView(name).left(digits - 2);
    return TCardList::isCardKey(key) ? key.toLongLong() : 0;
}
} // namespace

TCardList::TCardList(TextGrid& sg1) : m_sg1(sg1) {}

void TCardList::ResetLastKey()
{
    m_lastKey = 0;
}

void TCardList::NextKey()
{
    if (m_unread)
        throw UserError(notSavedOver().toStdString());
    // The new key names no file of the folder: a list that lost its cards
    // (emptied, damaged) must not hand a new card the files of an old one.
    // One listing of the folder, when a card is added.
    qint64 highest = std::max(m_lastKey, 0);
    for (int row = 1; row <= lastCardRow; ++row) {
        const QString key = keyOfName(m_sg1.cell(Name, row));
        if (isCardKey(key))
            highest = std::max(highest, key.toLongLong());
    }
    const QStringList names = QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                        QDir::Hidden | QDir::System);
    for (const QString& name : names)
        highest = std::max(highest, keyOfFileName(name));
    if (highest >= largestKey)
        throw UserError(QStringLiteral("No more cards can be added: the card keys have reached "
                                       "%1, the largest the card list can hold.")
                            .arg(largestKey)
                            .toStdString());
    m_lastKey = int(highest + 1);
}

bool TCardList::isCardKey(QStringView key)
{
    // Plain decimal digits, no sign, no leading zero, 1 to 2147483647: a key
    // names files, so "/elsewhere/pw" or "-3" is no key.
    if (key.isEmpty() || key.size() > 10 || key[0] == u'0')
        return false;
    for (const QChar c : key) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return key.toLongLong() <= largestKey;
}

QString TCardList::notSavedOver()
{
    return QStringLiteral("%1 could not be read, so the program does not save over it.")
        .arg(listFile);
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
    // A row whose key is no plain number selects nothing: its files would
    // lie outside the data folder.
    const QString& name = m_sg1.cell(Name, m_sg1.currentRow());
    const QString key = keyOfName(name);
    m_selectedKey = isCardKey(key) ? key : QString();
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
    if (m_unread)
        throw UserError(notSavedOver().toStdString());
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
    // A list that is there but cannot be read (too large, a folder, no
    // permission) keeps no copy: nothing may save over it afterwards.
    m_unread = false;
    QByteArray bytes;
    try {
        if (!DataFile::readBytesIfFile(listFile, bytes))
            return;
    } catch (const UserError&) {
        m_unread = true;
        throw;
    }
    try {
        parseDataBytes(
            listFile, bytes,
            [this](const QString& text) {
                DataFile::LineReader lines(text);
                m_lastKey = readNumberLine(lines);
                m_cardCount = readNumberLine(lines);
                if (m_cardCount < 0 || m_cardCount > lastCardRow)
                    throw UserError(QStringLiteral("Line 2 of %1 lies outside the table.")
                                        .arg(listFile)
                                        .toStdString());
                loadCellLines(listFile, text, lines, m_sg1, {1, lastCardRow, Name, IntroExpiry},
                              cellCheck());
                checkRows();
            },
            QString());
    } catch (const UserError&) {
        repairAfterDamage();
        throw;
    }
    raiseLastKeyToListedKeys();
}

CellCheck TCardList::cellCheck()
{
    // The key of every card and its amounts are checked as they are read, so
    // that a bad one stops the load before it reaches the table.
    constexpr unsigned checked = 1u << Name | 1u << Limit | 1u << Owed | 1u << Available;
    return {checked, [keyRows = std::map<qint64, int>()](int column, int row, QStringView text,
                                                         qsizetype line) mutable {
        if (column == Name) {
            const qsizetype point = text.indexOf(u'.');
            const QStringView key = point < 0 ? text : text.left(point);
            if (!isCardKey(key))
                throw UserError(conversionError(key.toString().toStdString(), "card key").what() +
                                lineOfFile(line, listFile));
            const auto [at, fresh] = keyRows.emplace(key.toLongLong(), row);
            if (!fresh && at->second != row)
                throw UserError(QStringLiteral("Line %1 of %2 gives row %3 the key %4 of row %5.")
                                    .arg(line)
                                    .arg(listFile)
                                    .arg(row)
                                    .arg(key)
                                    .arg(at->second)
                                    .toStdString());
        } else {
            checkStoredAmount(text, line, listFile);
        }
    }};
}

void TCardList::checkRows() const
{
    // Cards fill rows 1 to CardCount, each with its name: a count that
    // disagrees would let the next card overwrite a listed one.
    int cards = 0;
    for (int row = 1; row <= lastCardRow; ++row) {
        bool filled = false;
        for (int column = Name; column <= IntroExpiry && !filled; ++column)
            filled = !m_sg1.cellView(column, row).isEmpty();
        if (!filled)
            continue;
        if (m_sg1.cellView(Name, row).isEmpty())
            throw UserError(QStringLiteral("Row %1 of %2 holds no card name.")
                                .arg(row)
                                .arg(listFile)
                                .toStdString());
        if (row != cards + 1)
            throw UserError(QStringLiteral("Row %1 of %2 is empty, but a later row holds a card.")
                                .arg(cards + 1)
                                .arg(listFile)
                                .toStdString());
        ++cards;
    }
    if (cards != m_cardCount)
        throw UserError(QStringLiteral("Line 2 of %1 counts %2, but the list holds %3.")
                            .arg(listFile, cardsText(m_cardCount))
                            .arg(cards)
                            .toStdString());
}

void TCardList::raiseLastKeyToListedKeys()
{
    // A key is never handed out twice, even when the file's counter lags
    // behind the keys it lists.
    m_lastKey = std::max(m_lastKey, 0);
    for (int row = 1; row <= lastCardRow; ++row) {
        const QString key = keyOfName(m_sg1.cell(Name, row));
        if (isCardKey(key))
            m_lastKey = std::max(m_lastKey, key.toInt());
    }
}

void TCardList::repairAfterDamage()
{
    // The cards are the rows filled from the top; no later step may read an
    // empty row as a card or hand out a key that is listed. Rows after a gap
    // are no cards (the damaged copy keeps them), so the next save drops them.
    m_cardCount = 0;
    while (m_cardCount < lastCardRow && !m_sg1.cell(Name, m_cardCount + 1).isEmpty())
        ++m_cardCount;
    raiseLastKeyToListedKeys();
    if (m_cardCount < lastCardRow)
        m_sg1.clearCells(m_cardCount + 1, lastCardRow, Name, IntroExpiry);
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
