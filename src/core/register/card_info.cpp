#include "core/register/card_info.h"

#include "core/amounts/cc_math.h"
#include "core/amounts/stored_amount.h"
#include "core/platform/data_file.h"
#include "core/platform/grid_file.h"
#include "core/platform/year_texts.h"
#include "core/register/grid.h"
#include "core/register/register_fields.h"

#include <algorithm>
#include <array>

namespace {

// The file's ten lines, in order.
std::array<QString*, 10> infoFields(RegisterFields& f)
{
    return {&f.L7, &f.Edit1, &f.E1, &f.E2, &f.E3, &f.E4, &f.E5, &f.E6, &f.E7, &f.E8};
}

} // namespace

QString orZero(const QString& amount)
{
    return amount.isEmpty() ? QStringLiteral("0.00") : amount;
}

TCardInfo::TCardInfo(RegisterFields& fields, const TccMath& math) : m_fields(fields), m_math(math)
{}

void TCardInfo::SetCardName(const QString& text)
{
    m_fields.L7 = text;
}

void TCardInfo::SetExpiryDate(const QString& text)
{
    m_fields.Edit1 = text;
}

void TCardInfo::SetRate(const QString& text)
{
    m_fields.E1 = text;
}

void TCardInfo::SetIntroRate(const QString& text)
{
    m_fields.E2 = text;
}

void TCardInfo::SetIntroExpiry(const QString& text)
{
    m_fields.E3 = text;
}

void TCardInfo::SetDueDay(const QString& text)
{
    m_fields.E4 = text;
}

QString TCardInfo::plus(const QString& total, const QString& amount) const
{
    return QString::fromStdString(
        m_math.AddAmounts(orZero(total).toStdString(), amount.toStdString()));
}

QString TCardInfo::minus(const QString& total, const QString& amount) const
{
    return QString::fromStdString(
        m_math.SubtractAmounts(orZero(total).toStdString(), amount.toStdString()));
}

void TCardInfo::AddToLimit(const QString& amount)
{
    m_fields.E5 = plus(m_fields.E5, amount);
}

void TCardInfo::SubtractFromLimit(const QString& amount)
{
    const QString result = m_fields.E5.isEmpty() || m_fields.E5 == u"0.00"
                               ? QStringLiteral("0.00")
                               : minus(m_fields.E5, amount);
    m_fields.E5 = m_math.TextToWhole(result.toStdString()) > 0 ? result : QStringLiteral("0.00");
}

void TCardInfo::AddToOwed(const QString& amount)
{
    m_fields.E6 = plus(m_fields.E6, amount);
}

void TCardInfo::SubtractFromOwed(const QString& amount)
{
    m_fields.E6 = minus(m_fields.E6, amount);
}

void TCardInfo::AddToReconciled(const QString& amount)
{
    m_fields.E8 = plus(m_fields.E8, amount);
}

void TCardInfo::SubtractFromReconciled(const QString& amount)
{
    m_fields.E8 = minus(m_fields.E8, amount);
}

void TCardInfo::RecomputeAvailable()
{
    m_fields.E7 = QString::fromStdString(m_math.SubtractAmounts(orZero(m_fields.E5).toStdString(),
                                                                orZero(m_fields.E6).toStdString()));
    const double limit = m_math.AmountToFloat(orZero(m_fields.E5).toStdString());
    const double available = m_math.AmountToFloat(m_fields.E7.toStdString());
    if (available < 0)
        m_fields.E7 = QStringLiteral("0.00");
    else if (available > limit)
        m_fields.E7 = orZero(m_fields.E5);
}

QString TCardInfo::fileName() const
{
    return m_fields.cardKey + QStringLiteral("info.dat");
}

void TCardInfo::SaveInfo() const
{
    QStringList lines;
    for (const QString* field : infoFields(m_fields))
        lines.append(*field);
    DataFile::writeLines(fileName(), lines);
}

void TCardInfo::LoadInfo()
{
    const QString name = fileName();
    QStringList lines;
    const bool read = readDataFileIfAny(name, [&](const QString& text) {
        lines = DataFile::splitLines(text);
        // Lines 7 to 10 are the totals every posting adds to: one that is no
        // amount is reported with its line now, and the fields stay as they
        // were. An empty one counts as 0.00.
        for (qsizetype line = 6; line < std::min<qsizetype>(lines.size(), 10); ++line) {
            if (!lines[line].isEmpty())
                checkStoredAmount(lines[line], line + 1, name);
        }
    });
    if (!read)
        return;
    qsizetype line = 0;
    for (QString* field : infoFields(m_fields))
        *field = lines.value(line++);
}

TCurrentCard::TCurrentCard(RegisterFields& fields, TGrid& grid) : m_fields(fields), m_grid(grid) {}

void TCurrentCard::ResetCard()
{
    for (QString* field : {&m_fields.L7, &m_fields.E1, &m_fields.E2, &m_fields.E3, &m_fields.E4,
                           &m_fields.E5, &m_fields.E6, &m_fields.E7, &m_fields.E8})
        field->clear();
    m_grid.ClearLedger();
}

TYrEditBox::TYrEditBox(RegisterFields& fields, const YearTexts& years)
    : m_fields(fields), m_years(years)
{}

void TYrEditBox::ShowSelectedYear()
{
    m_fields.EYr = m_years.SelectedYr;
}
