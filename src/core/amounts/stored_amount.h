#pragma once

#include <QString>
#include <QStringView>

// The check a load makes of an amount cell in a data file: the running
// balance and the totals add every stored amount, so one that is no amount
// stops the load with its place in the file, never later in a posting.
// Plain stored amounts ("1234.56", "-.05") pass without a conversion.

// Raises TccMath's message for `text`, ended by " (line N of NAME)".
void checkStoredAmount(QStringView text, qsizetype line, const QString& name);

// Whether `text` is an amount as the program stores it: an optional "-", at
// most 16 digits, ".", two digits ("1234.56", "-.05"). Inline, since a year's
// load asks it for every charge and payment.
inline bool isPlainStoredAmount(QStringView text)
{
    const qsizetype sign = !text.isEmpty() && text.front() == u'-' ? 1 : 0;
    const qsizetype size = text.size();
    if (size < sign + 3 || size > sign + 19 || text[size - 3] != u'.')
        return false;
    for (qsizetype i = sign; i < size; ++i)
        if (i != size - 3 && (text[i] < u'0' || text[i] > u'9'))
            return false;
    return true;
}
