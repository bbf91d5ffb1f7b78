#include "core/program/entry_form.h"

#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/platform/user_error.h"
#include "core/program/pursewise.h"

TypedAmount acceptEntryAmount(const TccMath& math, const QString& typed)
{
    if (typed.isEmpty())
        return {typed, false};
    const std::string prepared = math.PrepareTypedAmount(typed.toStdString(), false);
    TypedAmount amount{QString::fromStdString(prepared), false};
    if (!math.IsValidAmount(prepared) || !math.IsPlainAmount(prepared))
        return amount;
    // The value decides, not the text: "00.00" and ".00" are zero as much as
    // "0.00" is. A text IsValidAmount lets through that is no number at all
    // ("...") is refused too.
    try {
        amount.acceptable = math.AmountToCents(prepared) != 0;
    } catch (const UserError&) {
        amount.acceptable = false;
    }
    return amount;
}

EntryForm::EntryForm(Pursewise& p) : m_p(p) {}

EntryFields EntryForm::fromSelectedRow() const
{
    const LedgerEntry row = entryAt(m_p.ledger, m_p.grid.selectedRow());
    EntryFields fields;
    fields.mode = EntryMode::Edit;
    fields.kind = fields.originalKind = row.kind();
    fields.entry.date = ShortDate::tryParse(row.date).value_or(Clock::today());
    fields.entry.description = row.description;
    if (fields.kind == EntryKind::Charge)
        fields.entry.charge = row.charge;
    else if (fields.kind == EntryKind::Payment)
        fields.entry.payment = row.payment;
    fields.entry.cleared = row.cleared;
    return fields;
}

FormCheck EntryForm::check(EntryFields& fields) const
{
    if (fields.kind == EntryKind::Charge) {
        const TypedAmount amount = acceptEntryAmount(m_p.math, fields.entry.charge);
        fields.entry.charge = amount.text;
        if (!amount.acceptable)
            return FormCheck::refuse(QStringLiteral("Invalid entry for charge."),
                                     QStringLiteral("E2"));
    } else if (fields.kind == EntryKind::Payment) {
        const TypedAmount amount = acceptEntryAmount(m_p.math, fields.entry.payment);
        fields.entry.payment = amount.text;
        if (!amount.acceptable)
            return FormCheck::refuse(QStringLiteral("Invalid entry for payment."),
                                     QStringLiteral("E3"));
    }
    return {};
}

void EntryForm::post(const EntryFields& fields)
{
    TGrid& grid = m_p.grid;
    if (fields.mode == EntryMode::Edit) {
        if (fields.originalKind == EntryKind::Charge)
            m_p.tc.DeleteCharge();
        else if (fields.originalKind == EntryKind::Payment)
            m_p.tc.DeletePayment();
        // Removing the entry closed its gap; the last entry leaves its row
        // free already (SelectedRow is then EntryCount + 1).
        if (fields.kind != EntryKind::None && grid.selectedRow() <= grid.entryCount())
            grid.OpenGapAtSelectedRow();
    } else if (fields.mode == EntryMode::Insert && fields.kind != EntryKind::None) {
        grid.OpenGapAtSelectedRow();
    }
    if (fields.kind == EntryKind::Charge)
        m_p.tc.AddCharge(fields.entry);
    else if (fields.kind == EntryKind::Payment)
        m_p.tc.AddPayment(fields.entry);
}
