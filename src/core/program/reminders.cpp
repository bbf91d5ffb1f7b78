#include "core/program/reminders.h"

#include "core/amounts/cc_math.h"
#include "core/cards/card_list.h"
#include "core/platform/data_file.h"
#include "core/platform/short_date.h"
#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"

#include <QLocale>

#include <algorithm>
#include <cstdint>

namespace {

// The lines of KEYinfo.dat, from 0, that hold the introductory rate and the
// payment day (see TCardInfo).
constexpr qsizetype introRateLine = 3;
constexpr qsizetype paymentDayLine = 5;

// What TCardList::MarkExpired writes over a rate whose date has come.
const QString expired = QStringLiteral("Expired");

// Amounts the program can store have at most 13 digits before the point;
// anything larger in a cell is no amount this window trusts.
constexpr std::int64_t largestCents = 1'000'000'000'000'000;

// "Dec 13": the month in English, as every text of the program is.
QString monthAndDay(QDate date)
{
    return QLocale(QLocale::English).toString(date, QStringLiteral("MMM d"));
}

// "today", "tomorrow (Dec 9)", "in 5 days (Dec 13)".
QString whenText(int days, QDate date)
{
    if (days == 0)
        return QStringLiteral("today");
    if (days == 1)
        return QStringLiteral("tomorrow (%1)").arg(monthAndDay(date));
    return QStringLiteral("in %1 days (%2)").arg(days).arg(monthAndDay(date));
}

std::optional<std::int64_t> centsOf(const QString& text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    try {
        const std::int64_t cents = TccMath().AmountToCents(text.trimmed().toStdString());
        if (cents > largestCents || cents < -largestCents)
            return std::nullopt;
        return cents;
    } catch (const UserError&) {
        return std::nullopt;
    }
}

// The card's name as the list shows it after its key: "3. Visa Gold" is
// "Visa Gold".
QString nameOf(const QString& nameCell)
{
    const qsizetype blank = nameCell.indexOf(u' ');
    return blank < 0 ? QString() : nameCell.mid(blank + 1);
}

std::optional<Reminder> paymentReminder(const QString& key, const QString& name,
                                        const std::optional<CardInfoText>& info, QDate today)
{
    if (!info)
        return std::nullopt;
    const std::optional<int> day = paymentDayOfMonth(info->paymentDay);
    if (!day)
        return std::nullopt;
    const QDate due = nextPaymentDate(*day, today);
    const auto days = int(today.daysTo(due));
    if (days > paymentDaysAhead)
        return std::nullopt;
    return Reminder{key, name, ReminderKind::Payment, due,
                    QStringLiteral("%1: payment due %2").arg(name, whenText(days, due))};
}

std::optional<Reminder> introReminder(const TextGrid& sg1, int row, const QString& key,
                                      const QString& name, const std::optional<CardInfoText>& info,
                                      QDate today)
{
    // A card with no introductory rate still carries a date (the day it was
    // added); only a rate makes the date worth a line. On the rate's last day
    // the list already shows "Expired" over it, so the card's file tells.
    const QString intro = sg1.cell(TCardList::Intro, row).trimmed();
    if (intro.isEmpty() || (intro == expired && info && info->introRate.trimmed().isEmpty()))
        return std::nullopt;
    const std::optional<QDate> ends = ShortDate::tryParse(sg1.cell(TCardList::IntroExpiry, row));
    if (!ends)
        return std::nullopt;
    const qint64 days = today.daysTo(*ends);
    if (days < 0 || days > introDaysAhead)
        return std::nullopt;
    return Reminder{
        key, name, ReminderKind::IntroRateEnds, *ends,
        QStringLiteral("%1: introductory rate ends %2").arg(name, whenText(int(days), *ends))};
}

std::optional<Reminder> limitReminder(const TextGrid& sg1, int row, const QString& key,
                                      const QString& name, QDate today)
{
    const std::optional<std::int64_t> limit = centsOf(sg1.cell(TCardList::Limit, row));
    const std::optional<std::int64_t> owed = centsOf(sg1.cell(TCardList::Owed, row));
    if (!limit || !owed || *limit <= 0)
        return std::nullopt;
    // owed * 10 >= limit * 9 exactly: 899.99 of 1000.00 is not listed, 900.00 is.
    if (*owed * 10 < *limit * 9)
        return std::nullopt;
    // Whole percent, rounded down: 99.99% reads 99%, never a full 100% too soon.
    const std::int64_t percent = *owed * 100 / *limit;
    return Reminder{key, name, ReminderKind::NearLimit, today,
                    QStringLiteral("%1: %2% of the credit limit used").arg(name).arg(percent)};
}

// The reader's answer; a reader that fails counts as a file not read.
std::optional<CardInfoText> readInfo(const CardInfoReader& cardInfo, const QString& key)
{
    if (!cardInfo)
        return std::nullopt;
    try {
        return cardInfo(key);
    } catch (const UserError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<int> paymentDayOfMonth(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].digitValue() < 0)
        ++at;
    if (at == text.size())
        return std::nullopt;
    int day = 0;
    for (; at < text.size() && text[at].digitValue() >= 0; ++at) {
        day = day * 10 + text[at].digitValue();
        // A long run of digits ("2026", "999999999999") names no day, and
        // stops here before it could overflow.
        if (day > 31)
            return std::nullopt;
    }
    if (day < 1)
        return std::nullopt;
    return day;
}

QDate nextPaymentDate(int day, QDate today)
{
    auto inMonth = [day](QDate first) {
        return QDate(first.year(), first.month(), std::min(day, first.daysInMonth()));
    };
    const QDate thisMonth = inMonth(QDate(today.year(), today.month(), 1));
    if (thisMonth >= today)
        return thisMonth;
    return inMonth(QDate(today.year(), today.month(), 1).addMonths(1));
}

std::vector<Reminder> remindersFor(const TextGrid& sg1, int cardCount,
                                   const CardInfoReader& cardInfo, QDate today)
{
    std::vector<Reminder> lines;
    const int lastRow = std::min(cardCount, sg1.rowCount() - 1);
    for (int row = 1; row <= lastRow; ++row) {
        const QString& nameCell = sg1.cell(TCardList::Name, row);
        const QString key = TCardList::keyOfName(nameCell);
        if (!TCardList::isCardKey(key))
            continue;
        const QString name = nameOf(nameCell);
        const std::optional<CardInfoText> info = readInfo(cardInfo, key);
        for (const std::optional<Reminder>& line : {paymentReminder(key, name, info, today),
                                                    introReminder(sg1, row, key, name, info, today),
                                                    limitReminder(sg1, row, key, name, today)})
            if (line)
                lines.push_back(*line);
    }
    return lines;
}

std::optional<CardInfoText> cardInfoFromFile(const QString& cardKey)
{
    QByteArray bytes;
    try {
        if (!DataFile::readBytesIfFile(cardKey + QStringLiteral("info.dat"), bytes))
            return std::nullopt;
    } catch (const UserError&) {
        return std::nullopt;
    }
    QString text;
    // A NUL byte means the file is damaged (grid_file.h); opening the card
    // reports it, this window only stays quiet.
    if (DataFile::decodeInto(bytes, text) >= 0)
        return std::nullopt;
    const QStringList lines = DataFile::splitLines(text);
    if (lines.size() <= paymentDayLine)
        return std::nullopt;
    return CardInfoText{lines[introRateLine], lines[paymentDayLine]};
}
