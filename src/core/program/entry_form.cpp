#include "core/program/entry_form.h"

#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/platform/user_error.h"
#include "core/program/pursewise.h"

namespace {

constexpr int insert = 2;
constexpr int edit = 3;
constexpr int payment = 1;
constexpr int charge = 2;

} // namespace

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
    const TextGrid& ledger = m_p.ledger;
    const int row = m_p.grid.selectedRow();
    EntryFields fields;
    fields.mode = edit;
    fields.entry.date = ShortDate::tryParse(ledger.cell(TGrid::Date, row)).value_or(Clock::today());
    fields.entry.description = ledger.cell(TGrid::Description, row);
    if (const QString& amount = ledger.cell(TGrid::Charges, row); !amount.isEmpty()) {
        fields.kind = fields.originalKind = charge;
        fields.entry.charge = amount;
    } else if (const QString& paid = ledger.cell(TGrid::Payments, row); !paid.isEmpty()) {
        fields.kind = fields.originalKind = payment;
        fields.entry.payment = paid;
    }
    fields.entry.cleared = ledger.cell(TGrid::Cleared, row) == u"X";
    return fields;
}

FormCheck EntryForm::check(EntryFields& fields) const
{
    if (fields.kind == charge) {
        const TypedAmount amount = acceptEntryAmount(m_p.math, fields.entry.charge);
        fields.entry.charge = amount.text;
        if (!amount.acceptable)
            return FormCheck::refuse(QStringLiteral("Invalid entry for charge."),
                                     QStringLiteral("E2"));
    } else if (fields.kind == payment) {
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
    if (fields.mode == edit) {
        if (fields.originalKind == charge)
            m_p.tc.DeleteCharge();
        else if (fields.originalKind == payment)
            m_p.tc.DeletePayment();
        // Removing the entry closed its gap; the last entry leaves its row
        // free already (SelectedRow is then EntryCount + 1).
        if (fields.kind != 0 && grid.selectedRow() <= grid.entryCount())
            grid.OpenGapAtSelectedRow();
    } else if (fields.mode == insert && fields.kind != 0) {
        grid.OpenGapAtSelectedRow();
    }
    if (fields.kind == charge)
        m_p.tc.AddCharge(fields.entry);
    else if (fields.kind == payment)
        m_p.tc.AddPayment(fields.entry);
}
