#pragma once

#include "core/register/statement.h"

#include <QByteArray>
#include <QString>

// Reads a Quicken interchange (QIF) statement: the transactions of its Bank,
// CCard, Cash and liability sections, one entry per record. Account lists,
// categories and other sections are passed over; splits are not looked into,
// the record's total is the entry.
//
// Dates are read month first ("12/31/2025", "12/31'25", "1/ 5'26") unless a
// date of the file starts with a number above 12 ("31/12/2025"), which makes
// the whole file day first; "2025-12-31" is read as year, month, day. A
// negative amount is money spent, a charge; a positive one a payment or refund.
Statement parseQif(const QByteArray& bytes, const QString& fileName);

// The same for the file at `path`; raises when it cannot be read.
Statement readQifStatement(const QString& path);
