#pragma once

#include "core/platform/grid_file.h"
#include "core/platform/text_grid.h"

#include <QString>

// The list of cards: one row per card in an 8 by 25 table (row 0 holds the
// headers), the counter that hands out card keys, the number of cards and the
// selected card's key, with the file "CardList.dat". Knows nothing of a
// card's own files.
class TCardList
{
public:
    enum Column
    {
        Name,
        Expires,
        Intro,
        Rate,
        Limit,
        Owed,
        Available,
        IntroExpiry
    };

    explicit TCardList(TextGrid& sg1);

    int lastKey() const { return m_lastKey; }
    int cardCount() const { return m_cardCount; }
    const QString& selectedKey() const { return m_selectedKey; }
    // Adding a card selects it by its new key.
    void setSelectedKey(const QString& key) { m_selectedKey = key; }

    void ResetLastKey();
    // Hands out the next key: above LastKey, every listed key and every key
    // that names a file of the folder. Refused, with nothing changed, past
    // the largest key or when "CardList.dat" could not be read.
    void NextKey();
    void ResetCount();
    void IncrementCount();
    void DecrementCount();
    void ClearSelection();

    // The selected key is the Card Name cell of the current row up to its
    // first ".": "12. Store Card" gives 12; an empty row selects nothing.
    void SelectFromGrid();
    // Makes the first free row current; fails with "Grid index out of range"
    // when all 24 rows hold cards.
    void SelectNewRow();

    void PutNameCell(const QString& text);
    void PutExpiresCell(const QString& text);
    void PutIntroCell(const QString& text);
    void PutRateCell(const QString& text);
    void PutLimitCell(const QString& text);
    void PutOwedCell(const QString& text);
    void PutAvailableCell(const QString& text);
    void PutIntroExpiryCell(const QString& text);

    void ClearCurrentRow();
    void ShiftRowsUp();
    void RemoveSelectedRow();

    // True when a listed card is named exactly `name` (case and blanks count).
    bool NameExists(const QString& name) const;
    // Writes "Expired" as the Intro % of every card whose introductory rate
    // expired before now; saves nothing.
    void MarkExpired();
    void SaveList() const;
    void LoadList();

    // The row of the card with this key, 0 when it is not listed.
    int RowOfKey(const QString& key) const;
    // Writes one cell of the card with this key, wherever its row is now;
    // nothing when the card is not listed.
    void PutCardCell(const QString& key, Column column, const QString& text);
    // The key of a Card Name cell: the text before its first ".".
    static QString keyOfName(const QString& nameCell);
    // True for a key the list may hold: plain decimal digits without a sign
    // or leading zero, from 1 to largestKey.
    static bool isCardKey(QStringView key);
    static constexpr int largestKey = 2147483647;

private:
    void putCurrent(Column column, const QString& text);
    void repairAfterDamage();
    void raiseLastKeyToListedKeys();
    static CellCheck cellCheck();
    void checkRows() const;
    static QString notSavedOver();

    TextGrid& m_sg1;
    int m_lastKey = 0;
    int m_cardCount = 0;
    QString m_selectedKey;
    // "CardList.dat" is there but could not be read: saving would replace it.
    bool m_unread = false;
};
