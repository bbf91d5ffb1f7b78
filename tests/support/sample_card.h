#pragma once

#include "core/program/dialog_values.h"
#include "core/program/pursewise.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <initializer_list>

// The sample data the tests share: a card as the card dialog gives it, a
// folder of such cards added through the program, and the bytes of a data
// file. Nothing here looks at the windows.

// A card expiring 10/31/27 at 18.9%, no intro rate (its expiry 6/30/27), due
// on the 15th, with the limit and opening balance given (none by default).
inline CardValues sampleCard(const QString& name, const QString& limit = QStringLiteral("900.00"),
                             const QString& opening = QString())
{
    CardValues card;
    card.name = name;
    card.cardExpiry = QDate(2027, 10, 31);
    card.rate = QStringLiteral("18.9");
    card.introRate = QStringLiteral("0");
    card.introExpiry = QDate(2027, 6, 30);
    card.dueDay = QStringLiteral("15");
    card.creditLimit = limit;
    card.openingBalance = opening;
    return card;
}

// Adds `count` sample cards named "Card 1" on, each with a limit of 100.00,
// as the Add button would: keys 1 to `count` in a fresh folder.
inline void addSampleCards(Pursewise& p, int count)
{
    for (int card = 1; card <= count; ++card)
        p.tc.AddCard(sampleCard(QStringLiteral("Card %1").arg(card), QStringLiteral("100.00")));
}

// The bytes of a data file holding `lines`, each ended by CR LF.
inline QByteArray crlf(std::initializer_list<const char*> lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}
