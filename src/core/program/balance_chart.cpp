#include "core/program/balance_chart.h"

#include "core/amounts/cc_math.h"
#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/platform/text_grid.h"
#include "core/platform/user_error.h"
#include "core/program/pursewise.h"
#include "core/program/year_ledger.h"
#include "core/register/card_info.h"
#include "core/register/grid.h"

#include <algorithm>

namespace {

std::optional<std::int64_t> centsOf(const TccMath& math, QStringView amount)
{
    if (amount.isEmpty())
        return std::nullopt;
    // A stored amount is plain ("1234.56", "-.05") and read where it lies;
    // anything else the long way, which refuses a text that is no amount.
    if (const auto cents = TccMath::PlainCents(std::u16string_view(
            reinterpret_cast<const char16_t*>(amount.utf16()), std::size_t(amount.size()))))
        return cents;
    try {
        return math.AmountToCents(amount.toString().toStdString());
    } catch (const UserError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<std::int64_t> chartCents(const TccMath& math, const QString& amount)
{
    return centsOf(math, amount);
}

std::vector<ChartPoint> balancePoints(const TextGrid& ledger, int entryCount, int year,
                                      std::int64_t openingCents, const TccMath& math)
{
    std::vector<ChartPoint> points;
    const int rows = std::clamp(entryCount, 0, std::min(TGrid::lastRow, ledger.rowCount() - 1));
    points.reserve(std::size_t(rows) + 1);
    points.push_back({QDate(year, 1, 1), openingCents});

    std::int64_t balance = openingCents;
    for (int row = 1; row <= rows; ++row) {
        // A charge when the Charges cell is filled, else a payment, as
        // LedgerEntry::kind reads a row.
        const QStringView charge = ledger.cellView(TGrid::Charges, row);
        const bool isCharge = !charge.isEmpty();
        const std::optional<std::int64_t> amount =
            centsOf(math, isCharge ? charge : ledger.cellView(TGrid::Payments, row));
        if (amount) {
            const bool overflow = isCharge ? __builtin_add_overflow(balance, *amount, &balance)
                                           : __builtin_sub_overflow(balance, *amount, &balance);
            if (overflow)
                break;
        }
        const std::optional<QDate> date =
            ShortDate::tryParse(ledger.cellView(TGrid::Date, row).toString());
        if (date && date->year() == year)
            points.push_back({*date, balance});
    }
    // Rows typed out of date order still draw forwards through the year.
    std::stable_sort(points.begin() + 1, points.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.date < b.date; });
    return points;
}

BalanceChart balanceChartOf(const Pursewise& p)
{
    BalanceChart chart;
    chart.cardName = p.reg.L7;
    chart.year = calendarYearOf(p.main.SelectedYr, Clock::today().year());
    const std::int64_t opening =
        chartCents(p.math, p.beginBal.openingBalance(p.main.SelectedYr.trimmed().toInt()))
            .value_or(0);
    chart.balance = balancePoints(p.ledger, p.grid.entryCount(), chart.year, opening, p.math);
    if (const auto limit = chartCents(p.math, orZero(p.reg.E5)))
        chart.limit = {{QDate(chart.year, 1, 1), *limit}, {QDate(chart.year, 12, 31), *limit}};
    return chart;
}

QString chartTitle(const BalanceChart& chart)
{
    return QStringLiteral("%1, %2").arg(chart.cardName).arg(chart.year);
}
