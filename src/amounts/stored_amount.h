#pragma once

#include <QString>
#include <QStringView>

// The check a load makes of an amount cell in a data file: the running
// balance and the totals add every stored amount, so one that is no amount
// stops the load with its place in the file, never later in a posting.
// Plain stored amounts ("1234.56", "-.05") pass without a conversion.

// Raises TccMath's message for `text`, ended by " (line N of NAME)".
void checkStoredAmount(QStringView text, qsizetype line, const QString& name);
