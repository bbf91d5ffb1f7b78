#pragma once

#include <QByteArray>
#include <QString>

// Which reader a statement file needs. The content decides first: an OFX
// header or <OFX> element, a QIF "!Type", "!Account" or "!Option" line; then
// the name's extension (.ofx and .qfx, .qif, .csv and .txt). Unknown for a
// file that shows neither.
enum class StatementFormat
{
    Unknown,
    Ofx,
    Qif,
    Csv
};

StatementFormat statementFormatOf(const QString& path, const QByteArray& bytes);
