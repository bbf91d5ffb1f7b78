#include "ui/kit/fit_rules.h"

#include "ui/kit/text_fit.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>

void fitCardListTexts(QTableView& sg1, QLineEdit* const (&totals)[3], int pixels)
{
    const QStringList amount = {Widest::amount()};
    // Column 7, one pixel wide, holds dates that are not read on screen.
    fitGridFont(sg1, pixels,
                {{{}, false, true},
                 {Widest::dates()},
                 {{QStringLiteral("Expired"), Widest::rate()}, false, true},
                 {{Widest::rate()}, false, true},
                 {amount, true},
                 {amount, true},
                 {amount, true}});
    for (QLineEdit* total : totals)
        fitBoxFont(*total, pixels, {Widest::total()}, smallestText);
}

void fitLedgerTexts(QTableView& ledger, int pixels)
{
    const QStringList amount = {Widest::amount()};
    fitGridFont(ledger, pixels,
                {{Widest::dates()},
                 {{}, false, true},
                 {amount, true},
                 {amount, true},
                 {{QStringLiteral("X")}},
                 {amount, true}},
                QStringLiteral("1000"));
}

namespace {

QStringList widestDetailTexts(const QString& box)
{
    if (box == u"Edit1" || box == u"E3")
        return Widest::dates();
    if (box == u"E1" || box == u"E2")
        return {Widest::rate()};
    if (box == u"E4")
        return {QStringLiteral("28"), QStringLiteral("31")};
    return {Widest::amount()};
}

} // namespace

int detailBoxWidth(const QLineEdit& box, int pixels)
{
    return boxWidthFor(box, pixels, widestDetailTexts(box.objectName()));
}

void fitDetailTexts(QLineEdit* const (&fields)[9], int pixels)
{
    for (QLineEdit* box : fields)
        fitBoxFont(*box, pixels, widestDetailTexts(box->objectName()), smallestText);
}

void showCardName(QLabel& name, const QString& text, int right)
{
    name.setText(text);
    name.adjustSize();
    showElided(name, text, right - name.x());
    name.adjustSize();
}
