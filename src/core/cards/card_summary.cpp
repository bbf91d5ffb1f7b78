#include "core/cards/card_summary.h"

#include "core/amounts/cc_math.h"
#include "core/platform/data_file.h"
#include "core/platform/grid_file.h"
#include "core/platform/text_grid.h"
#include "core/cards/card_list.h"
#include "core/cards/main_fields.h"

namespace {
const QString summaryFile = QStringLiteral("summary.dat");
}

TS::TS(const TextGrid& sg1, const TCardList& cardList, MainFields& fields, const TccMath& math)
    : m_sg1(sg1), m_cardList(cardList), m_fields(fields), m_math(math)
{}

void TS::ComputeTotals()
{
    std::string credit = "0.00";
    std::string owed = "0.00";
    std::string available = "0.00";
    for (int row = 1; row <= m_cardList.cardCount(); ++row) {
        credit = m_math.AddAmounts(credit, m_sg1.cell(TCardList::Limit, row).toStdString());
        const QString& balance = m_sg1.cell(TCardList::Owed, row);
        if (!balance.startsWith(u'-'))
            owed = m_math.AddAmounts(owed, balance.toStdString());
        available =
            m_math.AddAmounts(available, m_sg1.cell(TCardList::Available, row).toStdString());
    }
    m_fields.E1 = QString::fromStdString(credit);
    m_fields.E2 = QString::fromStdString(owed);
    m_fields.E3 = QString::fromStdString(available);
}

void TS::SaveSummary() const
{
    if (m_unread)
        throw UserError(
            QStringLiteral("%1 could not be read, so the program does not save over it.")
                .arg(summaryFile)
                .toStdString());
    DataFile::writeLines(summaryFile, {m_fields.E1, m_fields.E2, m_fields.E3});
}

void TS::LoadSummary()
{
    // A file that is there but cannot be read (too large, a folder, no
    // permission) keeps no copy, so no later save may replace it.
    m_unread = false;
    QByteArray bytes;
    try {
        if (!DataFile::readBytesIfFile(summaryFile, bytes))
            return;
    } catch (const UserError&) {
        m_unread = true;
        throw;
    }
    QStringList lines;
    parseDataBytes(
        summaryFile, bytes, [&](const QString& text) { lines = DataFile::splitLines(text); },
        QString());
    m_fields.E1 = lines.value(0);
    m_fields.E2 = lines.value(1);
    m_fields.E3 = lines.value(2);
}
