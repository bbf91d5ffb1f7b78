#pragma once

#include <QString>
#include <QStringView>

// Whole-number fields of the data files. A field that is not an optional sign
// followed by decimal digits, or that does not fit 32 bits, raises
// "'<text>' is not a valid integer value".
int parseInteger(QStringView text);
